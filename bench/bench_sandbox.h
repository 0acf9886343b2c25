// The bench's own surroundings: HKCU and HKLM mapped onto scratch keys of the real HKCU, and
// a scratch folder, so no measurement reads or writes the machine's own startup places.
#pragma once
#include <windows.h>

#include <string>

struct BenchSandbox {
  std::string root;    // HKCU-relative path of the scratch keys
  std::string folder;  // scratch folder
  HKEY mapped[2] = {};
};

// False when the mapping could not be made; nothing is left mapped then.
bool BenchSandboxOpen(BenchSandbox& sandbox);
// Unmaps the roots and removes the scratch keys and folder.
void BenchSandboxClose(BenchSandbox& sandbox);
