#include "categories/hidden_files.h"

#include <windows.h>

#include "foundation/filefacts.h"
#include "foundation/settings.h"
#include "startup/folder_walk.h"
#include "startup/item_list.h"

namespace {

constexpr char kRootFolder[] = "C:\\";
constexpr char kVersionKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
constexpr char kCommonFilesValue[] = "CommonFilesDir";

using FolderLocator = std::string (*)();

std::string HiddenRoot() { return kRootFolder; }

std::string HiddenWindows() {
  char folder[MAX_PATH] = "";
  const UINT length = GetWindowsDirectoryA(folder, MAX_PATH);
  return length > 0 && length < MAX_PATH ? folder : "";
}

std::string HiddenSystem() {
  char folder[MAX_PATH] = "";
  const UINT length = GetSystemDirectoryA(folder, MAX_PATH);
  return length > 0 && length < MAX_PATH ? folder : "";
}

std::string HiddenCommonFiles() {
  char folder[MAX_PATH] = "";
  SettingsReadString(HKEY_LOCAL_MACHINE, kVersionKey, kCommonFilesValue, folder, MAX_PATH);
  return folder;
}

std::string HiddenTemp() {
  char folder[MAX_PATH + 1] = "";
  const DWORD length = GetTempPathA(sizeof folder, folder);
  if (length == 0 || length > MAX_PATH) return "";
  std::string path = folder;
  if (path.size() > 1 && path.back() == '\\') path.pop_back();
  return path;
}

constexpr struct {
  FolderLocator locate;
  int depth;
} kFolders[] = {
    {HiddenRoot, 0}, {HiddenWindows, 0}, {HiddenSystem, 1}, {HiddenCommonFiles, 1},
    {HiddenTemp, 1},
};

// A root such as "C:\" keeps its backslash.
std::string HiddenKeyOf(const char* path) {
  std::string key = path;
  if (key.size() > 1 && key.back() == '\\' && key[key.size() - 2] != ':') key.pop_back();
  return key;
}

// A full list ends the walk: nothing more could be added.
int HiddenVisit(const char* path, DWORD attributes, void*) {
  if ((attributes & FILE_ATTRIBUTE_HIDDEN) == 0 || (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
    return 0;
  VersionStrings version{};
  ReadVersionStrings(path, &version);
  const std::string key = HiddenKeyOf(path);
  const int notSystem = (attributes & FILE_ATTRIBUTE_SYSTEM) == 0 ? 1 : 0;
  ItemAdd(version.text[kProductName], path, key.c_str(), "", kTypeHidden, notSystem);
  return ItemCount() >= kItemListMax ? 1 : 0;
}

}  // namespace

std::vector<HiddenFolder> HiddenFileFolders() {
  std::vector<HiddenFolder> folders;
  for (const auto& row : kFolders) {
    std::string path = row.locate();
    if (!path.empty()) folders.push_back({std::move(path), row.depth});
  }
  return folders;
}

int EnumerateHiddenFiles() {
  ItemListClear();
  for (const HiddenFolder& folder : HiddenFileFolders())
    if (FolderWalk(folder.path.c_str(), folder.depth, HiddenVisit, nullptr)) break;
  return ItemCount();
}
