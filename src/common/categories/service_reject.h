// Stopping and disabling a service the user rejected, with a history line for each step
// that happened.
#pragma once

enum ServiceRejectStep { kServiceRejectStopped = 1, kServiceRejectDisabled = 2 };

// The steps that happened, as ServiceRejectStep bits; the service is named by display name.
int ServiceReject(const char* displayName, const char* command, int code);
