// Windows services: the enumeration into the item list, the snapshot of known services and
// the service-manager operations, which all name a service by its display name.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "foundation/settings.h"
#include "item_codes.h"

inline constexpr char kServicesRegistryKey[] = "SYSTEM\\CurrentControlSet\\Services";
inline constexpr int kServiceStateTextSize = 256;
inline constexpr int kServiceDisplayNameSize = 4096;

void EnumerateServices(int quick);
// The full listing, with the registry key name of each listed service, in list order.
void EnumerateServicesNamed(std::vector<std::string>& keyNames);
void BuildServicesSnapshot();
// Only the low byte of startValue is written.
bool SetServiceStartType(const char* displayName, int startValue);
// Length of the description of the first service whose normalised program equals path.
int FindServiceDescription(const char* path, char* description, int capacity);
// The string of a Start value's start type (664-666); 0 for any other value.
int ServiceStartTypeString(DWORD start);
// The start-type text shown for a Start value (strings 664-666, else "0").
int ServiceStartTypeText(DWORD start, char* out, int capacity);

// High 16 bits the current state, low 16 bits the low half of the service type; 0 when the
// service cannot be opened or does not answer.
DWORD QueryServiceState(const char* displayName);
DWORD QueryServiceControls(const char* displayName);
bool ControlServiceByName(const char* displayName, DWORD control);
DWORD ServiceStateText(const char* displayName, char* text, int capacity);
bool ServiceDisplayName(const char* serviceName, char* displayName, int capacity);
// The registry key name the service manager keeps for a display name.
bool ServiceKeyName(const char* displayName, char* out, int capacity);
