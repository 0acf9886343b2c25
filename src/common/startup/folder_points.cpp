#include "startup/folder_points.h"

#include <windows.h>

#include "categories/hidden_files.h"
#include "foundation/handles.h"
#include "foundation/paths.h"
#include "point_text.h"
#include "startup/folder_walk.h"
#include "startup/item_list.h"
#include "startup/startup_list.h"
#include "startup/startup_points.h"
#include "startup/value_place_read.h"
#include "startup_text.h"

namespace {

constexpr char kUserShellFolders[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
constexpr char kShellFolders[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr DWORD kExpandedMax = 32768;

struct FolderPointRow {
  int code;
  bool perUser;
  const char* value;
};
constexpr FolderPointRow kFolderRows[] = {
    {kPointUserStartupFolder, true, "Startup"},
    {kPointCommonStartupFolder, false, "Common Startup"},
};

const FolderPointRow* FolderPointRowOf(int code) {
  for (const FolderPointRow& row : kFolderRows)
    if (row.code == code) return &row;
  return nullptr;
}

HKEY FolderPointRoot(const FolderPointRow& row) {
  return row.perUser ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
}

std::string FolderPointExpand(const std::string& text) {
  std::string out(kExpandedMax, '\0');
  const DWORD needed = ExpandEnvironmentStringsA(text.c_str(), out.data(), kExpandedMax);
  if (needed == 0 || needed > kExpandedMax) return "";
  out.resize(needed - 1);
  return out;
}

std::string FolderPointRead(const FolderPointRow& row, const char* subkey) {
  RegKey key;
  PlaceValueData data;
  if (!key.Open(FolderPointRoot(row), subkey, KEY_QUERY_VALUE) ||
      !PlaceValueRead(key.get(), row.value, data) || !PlaceValueIsText(data.type))
    return "";
  const std::vector<std::string> items = PointItems(data.bytes, PointListKind::kSingle);
  return items.empty() ? "" : FolderPointExpand(items.front());
}

// The entry's file must lie directly in the point's folder: the key comes from the item list
// or a history line, and nothing outside the folder is moved.
bool FolderPointOwns(const char* key, int code) {
  const std::string folder = FolderPointFolder(code);
  const std::string path = key ? key : "";
  const std::size_t slash = path.rfind('\\');
  return !folder.empty() && slash != std::string::npos && slash + 1 < path.size() &&
         PointSameFolder(path.substr(0, slash), folder);
}

struct FolderPointWalk {
  int code;
};

int FolderPointEntry(const char* path, DWORD attributes, void* context) {
  const int code = static_cast<FolderPointWalk*>(context)->code;
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) return 0;
  const StartupFileKind kind = StartupFileKindOf(path);
  if (kind == StartupFileKind::kSettings) return 0;
  char target[kPathSize] = "";
  char title[kPathSize] = "";
  std::string arguments;
  if (kind == StartupFileKind::kShortcut &&
      ShortcutTarget(path, target, title, &arguments) == S_OK && target[0]) {
    const std::string command =
        arguments.empty() ? std::string(target) : std::string(target) + " " + arguments;
    ItemAdd(title[0] ? title : TitleFromCommand(path).c_str(), command.c_str(), path, "", code, 0);
    return 0;
  }
  ItemAdd(TitleFromCommand(path).c_str(), path, path, "", code, 0);
  return 0;
}

}  // namespace

std::string FolderPointLabel(int code) {
  const FolderPointRow* row = FolderPointRowOf(code);
  if (!row) return "";
  return std::string(row->perUser ? "HKCU\\" : "HKLM\\") + kUserShellFolders + "  " + row->value;
}

std::string FolderPointFolder(int code) {
  const FolderPointRow* row = FolderPointRowOf(code);
  if (!row) return "";
  const std::string current = FolderPointRead(*row, kUserShellFolders);
  const std::string legacy = FolderPointRead(*row, kShellFolders);
  return current.empty() || PointSameFolder(current, legacy) ? "" : current;
}

int FolderPointsList() {
  const int before = ItemCount();
  for (const FolderPointRow& row : kFolderRows) {
    const std::string folder = FolderPointFolder(row.code);
    FolderPointWalk walk{row.code};
    if (!folder.empty()) FolderWalk(folder.c_str(), 0, FolderPointEntry, &walk);
  }
  return ItemCount() - before;
}

// The removed file waits in the vault under a name taken from its whole path: the catalogue's
// Disabled folder is itself listed as the home of disabled startup files, and two folders may
// hold files of one name.
int FolderPointRemove(const char* key, int code) {
  const std::string copy = key ? HiddenVaultPath(key) : std::string();
  if (copy.empty() || !FolderPointOwns(key, code)) return 0;
  // Without a profile the vault lies in the program's folder, made here when first needed.
  CreateDirectoryA(copy.substr(0, copy.rfind('\\')).c_str(), nullptr);
  return MoveFileExA(key, copy.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED) ? 1
                                                                                          : 0;
}

int FolderPointRestore(const char* key, int code) {
  const std::string copy = key ? HiddenVaultPath(key) : std::string();
  if (copy.empty() || !FolderPointOwns(key, code)) return 0;
  if (GetFileAttributesA(key) != INVALID_FILE_ATTRIBUTES) return 1;
  return MoveFileExA(copy.c_str(), key, MOVEFILE_COPY_ALLOWED) ? 1 : 0;
}

void FolderPointPlaces(std::vector<StartupPlace>& places) {
  for (const FolderPointRow& row : kFolderRows) {
    places.push_back({FolderPointRoot(row), kUserShellFolders, false});
    const std::string folder = FolderPointFolder(row.code);
    if (!folder.empty()) places.push_back({nullptr, folder, false});
  }
}
