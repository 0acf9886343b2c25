// Putting a watched file type back where machine classes live (the HKLM classes source and
// the HKCR source, both written under HKLM\Software\Classes). The ProgID and command come from
// the asking account's own store, so the elevated job needs only the extension's name.
#pragma once
#include <windows.h>

#include <string>

// The account of this process as a SID text; empty when it cannot be read.
std::string FileTypeStoreAccount();
// The store of that account, opened for reading: HKCU for this process's own account.
// Null when the account's hive is not loaded.
HKEY FileTypeStoreOpen(const char* account);
// Writes the association kept in store back under HKLM; true when every write it had to
// make was made. Sources 1 and 4 only.
bool FileTypeRestoreMachineFrom(HKEY store, const char* ext, int source);
// This process first, then the elevated job.
bool FileTypeRestoreMachine(const char* ext, int source);
