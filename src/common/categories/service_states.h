// The run state of every service in one listing of the service manager, for a caller that
// shows many services at once: asking each service on its own costs several round trips.
#pragma once
#include <windows.h>

#include <string>
#include <unordered_map>

struct ServiceStates {
  std::unordered_map<std::string, DWORD> byDisplayName;  // upper-case display name -> packed
};

// Calls visit for each service the manager lists; false when it could not be asked.
using ServiceStatesVisitor = void (*)(const ENUM_SERVICE_STATUS_PROCESSA& service, void* context);
bool ServiceStatesEach(ServiceStatesVisitor visit, void* context);
ServiceStates ServiceStatesRead();
// As QueryServiceState packs it: the current state in the high 16 bits, the low half of the
// service type in the low ones; 0 for a service that would not answer an interrogation.
DWORD ServiceStatesPacked(const SERVICE_STATUS_PROCESS& status);
// Whether the manager lists the display name (a listed service may still pack to 0).
bool ServiceStatesKnown(const ServiceStates& states, const char* displayName);
// 0 when the manager does not list the display name.
DWORD ServiceStatesFind(const ServiceStates& states, const char* displayName);
// The text of a packed state ("Stopped" for 0); returns the packed state.
DWORD ServiceStatesText(DWORD packed, char* text, int capacity);
