// Taking an IE add-on's entry out of HKLM: here when this process may, else through the
// elevated job. An entry is named by its kind (900 helper object, 901 toolbar, 902 extension)
// and its key; a key holding a backslash names nothing, so no other key can be reached.
#pragma once
#include <string>

// Where the entry lives (the Toolbar key for a toolbar value); empty for a bad name.
std::string IEHelperEntryPath(int code, const char* key);
bool IEHelperEntryExists(int code, const char* key);
// With this process's rights; where it was removed from, empty when it was not there or
// could not be removed.
std::string IEHelperDeleteExisting(int code, const char* key);
// This process first, then the elevated job; where it was removed from, or empty.
std::string IEHelperDeleteMachineEntry(int code, const char* key);
