// Where the startup enumeration finds its entries, for whoever watches them for changes.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

// A registry key (root set) or a folder (root null); subtree when what lies below it counts
// too.
struct StartupPlace {
  HKEY root = nullptr;
  std::string path;
  bool subtree = false;
};

// The Run-family keys the enumeration reads (the 32-bit view's only on a 64-bit system), the
// Winlogon, shell-hook and AppInit keys, the keys that name the startup folders, the startup
// folders themselves, and where win.ini's [windows] lines are kept: the per-user key on the NT
// family, the file's folder on the 9x family.
std::vector<StartupPlace> StartupPlaces();
