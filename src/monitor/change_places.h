// The places whose change makes a category's check due at once: registry keys and folders,
// each tied to the category (named by its interval option) whose check reads it.
#pragma once
#include <windows.h>

#include <bitset>
#include <string>
#include <vector>

#include "foundation/options.h"

enum class ChangePlaceKind { kKey, kFolder };

struct ChangePlace {
  OptionId category;
  ChangePlaceKind kind;
  HKEY root;  // keys only
  std::string path;
  bool subtree;  // sub-keys or sub-folders count too
};

using ChangeCategories = std::bitset<kOptionCount>;

// The places of every watched category whose interval is not 0.
std::vector<ChangePlace> ChangePlacesFor(const OptionsRecord& options);
// The watched categories whose interval is not 0.
ChangeCategories ChangePlaceCategories(const OptionsRecord& options);
// "HKLM\<path>", "HKCU\<path>" or the folder, for the trace.
std::string ChangePlaceText(const ChangePlace& place);
