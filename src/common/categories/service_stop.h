// Stopping a service from the explorer, with its undo record and its history line.
#pragma once

// True when the service manager stopped it.
bool StopServiceRecorded(const char* displayName, const char* command, int code);
