// The bench's own surroundings: HKCU and HKLM (and, on request, HKCR) mapped onto scratch keys
// of the real HKCU, and a scratch folder, so no measurement reads or writes the machine's own
// places.
#pragma once
#include <windows.h>

#include <string>

struct BenchSandbox {
  std::string root;    // HKCU-relative path of the scratch keys
  std::string folder;  // scratch folder
  HKEY mapped[3] = {};
};

// False when the mapping could not be made; nothing is left mapped then. While HKCR is mapped,
// COM cannot find its classes: CoCreateInstance fails.
bool BenchSandboxOpen(BenchSandbox& sandbox, bool mapClasses = false);
// Unmaps the roots and removes the scratch keys and folder.
void BenchSandboxClose(BenchSandbox& sandbox);
