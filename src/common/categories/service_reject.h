// Stopping and disabling a service the user rejected, with a history line for each step
// that happened.
#pragma once

enum ServiceRejectStep { kServiceRejectStopped = 1, kServiceRejectDisabled = 2 };

// The steps that happened, as ServiceRejectStep bits; the service is named by display name.
// What this process may not do goes to the elevated job; a service left enabled is told.
int ServiceReject(const char* displayName, const char* command, int code);
// The stop and the disable alone, with this process's rights and no history.
int ServiceRejectSteps(const char* displayName);
