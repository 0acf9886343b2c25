// Files with the hidden attribute in a fixed set of system folders.
#pragma once
#include <string>
#include <vector>

#include "foundation/settings.h"
#include "item_codes.h"

inline constexpr char kHiddenDetectedCategory[] = "Hidden";

struct HiddenFolder {
  std::string path;
  int depth;  // 0: the folder's own entries, 1: also those of its direct sub-folders
};

// The searched folders in their order; a folder that cannot be located is left out.
std::vector<HiddenFolder> HiddenFileFolders();
// Empties the item list and fills it with the hidden files; returns their number.
int EnumerateHiddenFiles();
// Stops whatever runs the file, keeps a copy in the vault and deletes the file; the
// snapshot forgets the path whatever happens. True when the file is gone.
bool DeleteHiddenFile(const char* title, const char* path);
// Puts the vault's copy of the file back at path as a hidden file; true when the copy was
// put back and taken out of the vault.
bool RestoreHiddenFileFromVault(const char* path);
// Fills the snapshot when its marker is missing; every hidden file present counts as known.
void BuildHiddenSnapshot();
// The vault copy's path for a file path, named for the whole path so that files of one name
// in different folders keep their own copies; empty when no data folder is known.
std::string HiddenVaultPath(const char* path);
// Records the path as known at the current time.
void HiddenRemember(const char* path);
