// Every value of a key read in one pass, for a check that would otherwise query the key once
// per item. Names are found as the registry finds them: ignoring case.
#pragma once
#include <windows.h>

#include <string>
#include <unordered_map>

struct TableValue {
  DWORD type = REG_NONE;
  DWORD size = 0;    // of the whole data, in bytes
  std::string data;  // the whole data; empty when it is larger than the table keeps
};

class ValueTable {
 public:
  // Reads every value of root\subkey; false, and nothing held, when the key does not open.
  bool Read(HKEY root, const char* subkey);
  // The value of that name, or null.
  const TableValue* Find(const char* name) const;
  // Its text as a query of the value reads it: ended at the first NUL and cut to
  // capacity - 1; empty when the value is missing or no text. Returns the length.
  int Text(const char* name, char* out, int capacity) const;
  // Whether the last Read opened the key.
  bool Opened() const { return opened_; }

 private:
  std::unordered_map<std::wstring, TableValue> values_;
  bool opened_ = false;
};
