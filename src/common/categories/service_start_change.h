// Changing a service's start type from the explorer, with its history records.
#pragma once

// The service's configured Start value (2 automatic, 3 manual, 4 disabled, 0 and 1 boot and
// system); -1 when the service cannot be found.
int ServiceConfiguredStart(const char* displayName);
// choice: 0 automatic, 1 manual, 2 disabled. Writes the record of the type it had (by its
// configured start type, 2-4 giving actions 18-20; others none), then the record of the new
// type (10 + choice), and sets Start to 2 + choice. False when it could not be set.
bool ChangeServiceStartType(const char* displayName, const char* command, int code, int choice);
