// Registry values read whole, at their real size and with their type, for the reports that
// copy them out (the registry backup, the scan log).
#pragma once
#include <windows.h>

#include <string>
#include <vector>

struct RegRawValue {
  std::string name;  // empty: the key's default value
  DWORD type = REG_NONE;
  std::string data;  // the bytes as stored
};

// Every value of the open key, in index order. False (GetLastError() says why) when the key
// cannot be walked; a value that vanishes while it is read is passed over.
bool RegRawValues(HKEY key, std::vector<RegRawValue>& out);
// The names of the open key's direct sub-keys, in index order; false when they cannot be read.
bool RegRawSubKeys(HKEY key, std::vector<std::string>& out);
// One value of root\subkey (value null or "" for the default); false when it is not there.
bool RegRawRead(HKEY root, const char* subkey, const char* value, RegRawValue& out);

// The value as a line of text: a string up to its first NUL, the strings of a multi-string
// joined by blanks, a number in decimal; empty for other types.
std::string RegRawText(const RegRawValue& value);
// The number of a REG_DWORD (or a string holding decimal digits); 0 otherwise.
long RegRawNumber(const RegRawValue& value);
