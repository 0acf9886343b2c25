// Store keys and the watched list shared by the file-type operations.
#pragma once
#include <string>

#include "foundation/settings.h"

inline constexpr char kFileTypeMarker[] = "Do not edit.";
inline constexpr int kFileTypeListSize = 1024;
// Where machine classes live below HKLM, and a class's open command below its own key.
inline constexpr char kMachineClasses[] = "Software\\Classes\\";
inline constexpr char kOpenCommand[] = "\\shell\\open\\command";

// The store key that keeps the extension's ProgID for a source, or nullptr.
const char* FileTypeSourceKey(int source);
// The watched list; empty when missing or longer than the store holds (see tooLong).
std::string FileTypeReadList(bool* tooLong = nullptr);
int FileTypeWriteList(const std::string& list);
