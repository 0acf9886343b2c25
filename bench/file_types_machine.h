// The synthetic file types: the watched list in the sandboxed HKCU, a machine-wide class with
// its open command for every watched extension, and for some a per-user ProgID whose command
// lives under the sandboxed HKCR.
#pragma once
#include <string>

inline constexpr char kBenchFileExtsKey[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts\\";
inline constexpr char kBenchMachineClasses[] = "Software\\Classes\\";

struct FileTypesMachine {
  int extensions = 0;
  int associations = 0;  // extensions and per-user ProgIDs: the items a listing finds
};

// The default watched list; false when any of it could not be written.
bool FileTypesMachineBuild(FileTypesMachine& machine);
