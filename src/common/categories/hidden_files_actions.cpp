#include <windows.h>

#include "categories/active_tasks.h"
#include "categories/hidden_files.h"
#include "foundation/datetime.h"
#include "foundation/paths.h"
#include "foundation/settings.h"
#include "paths_text.h"
#include "records/history.h"
#include "vault_text.h"

namespace {

constexpr char kVaultFolder[] = "\\vault\\";

// CopyFile and DeleteFile refuse hidden or read-only targets.
void HiddenMakePlain(const std::string& path) {
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
}

bool HiddenRemoveFile(const std::string& path) {
  HiddenMakePlain(path);
  return DeleteFileA(path.c_str()) != 0;
}

std::string HiddenVaultFile(const std::string& name) {
  if (name.empty()) return {};
  char folder[kPathSize] = "";
  if (DataFolder(folder, sizeof folder) == 0) return {};
  const std::string vault = std::string(folder) + kVaultFolder + name;
  return vault.size() < MAX_PATH ? vault : std::string();
}

bool HiddenIsThere(const std::string& path) {
  return !path.empty() && GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The copy to put back: the one named for this path, or one an older version named by the
// file name alone.
std::string HiddenVaultCopyOf(const char* path) {
  const std::string copy = HiddenVaultPath(path);
  if (HiddenIsThere(copy)) return copy;
  std::string name;
  FileNamePart(path, name);
  const std::string old = HiddenVaultFile(name);
  return HiddenIsThere(old) ? old : std::string();
}

}  // namespace

std::string HiddenVaultPath(const char* path) {
  return path ? HiddenVaultFile(VaultCopyName(path)) : std::string();
}

void HiddenRemember(const char* path) {
  char now[kDateTimeTextSize] = "";
  NowDateTimeText(now);
  SettingsWriteString(HKEY_CURRENT_USER, kHiddenSnapshotKey, path, now);
}

// The copy in the vault is what the history's undo puts back. A file that cannot be deleted
// keeps its attributes, so that the next check still finds it and asks again.
bool DeleteHiddenFile(const char* title, const char* path) {
  if (path == nullptr || path[0] == '\0') return false;
  const char* name = title ? title : "";
  KillTask(path, name, 0);
  const std::string vault = HiddenVaultPath(path);
  if (!vault.empty()) HiddenMakePlain(vault);
  const bool kept = !vault.empty() && CopyFileA(path, vault.c_str(), FALSE) != 0;
  const DWORD attributes = GetFileAttributesA(path);
  const bool deleted = HiddenRemoveFile(path);
  if (deleted) {
    HistoryWrite(name, path, "", kTypeHidden, kActHiddenDeleteFile);
  } else {
    if (attributes != INVALID_FILE_ATTRIBUTES) SetFileAttributesA(path, attributes);
    if (kept) HiddenRemoveFile(vault);
  }
  SettingsDeleteValue(HKEY_CURRENT_USER, kHiddenSnapshotKey, path);
  return deleted;
}

// The vault copy is removed only once it is back in place: a failed copy must not lose it.
bool RestoreHiddenFileFromVault(const char* path) {
  if (path == nullptr || path[0] == '\0') return false;
  const std::string vault = HiddenVaultCopyOf(path);
  bool restored = false;
  if (!vault.empty()) {
    HiddenMakePlain(path);
    if (CopyFileA(vault.c_str(), path, FALSE)) {
      const DWORD attributes = GetFileAttributesA(path);
      const DWORD kept = attributes == INVALID_FILE_ATTRIBUTES ? 0 : attributes;
      SetFileAttributesA(path, (kept & ~FILE_ATTRIBUTE_NORMAL) | FILE_ATTRIBUTE_HIDDEN);
      restored = HiddenRemoveFile(vault);
    }
  }
  HiddenRemember(path);
  return restored;
}
