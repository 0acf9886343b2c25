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
// folders themselves and win.ini's folder.
std::vector<StartupPlace> StartupPlaces();
