// The current state of every service the service manager knows, read at once: what a list of
// many services asks instead of a round trip to the manager (and to each running service)
// per row.
#pragma once
#include <windows.h>

#include <string>
#include <unordered_map>

// Current states (SERVICE_STOPPED ... SERVICE_PAUSED) by display name in upper case, as the
// manager compares names; empty when the manager cannot be asked.
using ServiceStateMap = std::unordered_map<std::string, DWORD>;
ServiceStateMap ReadServiceStates();
// The state's text as the pages show it; empty when the manager does not know the service.
std::string ServiceStateTextIn(const ServiceStateMap& states, const char* displayName);
