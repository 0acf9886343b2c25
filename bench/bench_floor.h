// The bare registry reads the floors are made of: what any reader of the same places must do.
#pragma once
#include <windows.h>

#include "foundation/handles.h"

inline constexpr DWORD kBenchFloorTextBytes = 1025;
inline constexpr DWORD kBenchFloorNameChars = 256;

// One value read into a bounded buffer; the text is terminated when it fits.
inline bool BenchFloorRead(HKEY key, const char* name, char* text, DWORD capacity) {
  DWORD size = capacity - 1;
  if (RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(text), &size) !=
      ERROR_SUCCESS)
    return false;
  text[size < capacity ? size : capacity - 1] = '\0';
  return true;
}

inline bool BenchFloorQuery(HKEY key, const char* name) {
  char text[kBenchFloorTextBytes];
  return BenchFloorRead(key, name, text, sizeof text);
}

// Calls visit(key, name) for each subkey name of root\path.
template <class Visit>
void BenchFloorSubkeys(HKEY root, const char* path, Visit visit) {
  RegKey key;
  if (!key.Open(root, path, KEY_READ)) return;
  for (DWORD index = 0;; ++index) {
    char name[kBenchFloorNameChars];
    DWORD length = kBenchFloorNameChars;
    const LONG status =
        RegEnumKeyExA(key.get(), index, name, &length, nullptr, nullptr, nullptr, nullptr);
    if (status == ERROR_NO_MORE_ITEMS) return;
    if (status == ERROR_SUCCESS) visit(key.get(), name);
  }
}

// Calls visit(name) for each value name of root\path.
template <class Visit>
void BenchFloorValueNames(HKEY root, const char* path, Visit visit) {
  RegKey key;
  if (!key.Open(root, path, KEY_READ)) return;
  for (DWORD index = 0;; ++index) {
    char name[kBenchFloorNameChars];
    DWORD length = kBenchFloorNameChars;
    const LONG status =
        RegEnumValueA(key.get(), index, name, &length, nullptr, nullptr, nullptr, nullptr);
    if (status == ERROR_NO_MORE_ITEMS) return;
    if (status == ERROR_SUCCESS) visit(name);
  }
}
