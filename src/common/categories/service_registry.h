// Reading the services' registry keys, which any installer may have written badly.
#pragma once
#include <windows.h>

inline constexpr int kServiceNameSize = 256;
inline constexpr int kServiceImagePathSize = 512;

// Bounded copy of a string value; values of another type read as empty. With expand,
// environment references are expanded first.
int ServiceReadText(HKEY key, const char* subkey, const char* value, char* out, int capacity,
                    bool expand);
// The DWORD value, or fallback when missing or of another type.
DWORD ServiceReadNumber(HKEY key, const char* value, DWORD fallback);
// The program a service runs: ImagePath, or for svchost services a non-empty ServiceDll.
// Returns the item code; 0 when the service has no ImagePath.
int ServiceProgram(HKEY key, char* out, int capacity);

using ServiceVisitor = bool (*)(const char* name, HKEY key, void* context);
// Visits each service subkey in registry order until the visitor returns true; true then.
bool ServiceWalk(ServiceVisitor visitor, void* context);
