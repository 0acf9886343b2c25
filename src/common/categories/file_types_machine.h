// Putting a watched file type back where machine classes live (the HKLM classes source and
// the HKCR source, both written under HKLM\Software\Classes). The ProgID and command come from
// the asking account's own store, so the elevated job needs only the extension's name.
#pragma once
#include <windows.h>

#include <string>

// Writes the association kept in store back under HKLM; true when every write it had to
// make was made. Sources 1 and 4 only.
bool FileTypeRestoreMachineFrom(HKEY store, const char* ext, int source);
// This process first, then the elevated job.
bool FileTypeRestoreMachine(const char* ext, int source);
