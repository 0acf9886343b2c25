// A registry value, and whether its key was there, as before a test, put back afterwards.
#pragma once
#include <windows.h>

#include <string>
#include <utility>

#include "sandbox.h"

struct SavedPlace {
  HKEY root;
  std::string key, name;
  bool keyThere = false, present = false;
  DWORD type = REG_NONE;
  std::string bytes;

  SavedPlace(HKEY r, std::string k, std::string n)
      : root(r), key(std::move(k)), name(std::move(n)) {
    keyThere = RegKeyExists(root, key.c_str());
    DWORD size = 0;
    if (RegGetValueA(root, key.c_str(), name.c_str(), RRF_RT_ANY | RRF_NOEXPAND, &type, nullptr,
                     &size) != ERROR_SUCCESS)
      return;
    bytes.assign(size, '\0');
    present = RegGetValueA(root, key.c_str(), name.c_str(), RRF_RT_ANY | RRF_NOEXPAND, &type,
                           bytes.data(), &size) == ERROR_SUCCESS;
    bytes.resize(size);
  }
  bool Same(const SavedPlace& other) const {
    return present == other.present && (!present || (type == other.type && bytes == other.bytes));
  }
  void Put() const {
    if (!keyThere) {
      RegDeleteTreeA(root, key.c_str());
      RegDeleteKeyA(root, key.c_str());
    } else if (present) {
      RegSetKeyValueA(root, key.c_str(), name.c_str(), type, bytes.data(),
                      static_cast<DWORD>(bytes.size()));
    } else {
      RegDeleteKeyValueA(root, key.c_str(), name.c_str());
    }
  }
};
