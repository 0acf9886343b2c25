#include <string>

#include "foundation/paths.h"
#include "foundation/settings.h"
#include "records/history.h"
#include "startup/locations.h"
#include "startup/own_entry.h"
#include "startup/run_entry_name.h"
#include "startup/snapshot.h"
#include "startup/startup_action_steps.h"
#include "startup/startup_actions.h"
#include "startup/startup_points.h"
#include "text.h"

namespace {

constexpr int kStoredTextSize = 1024;

int RemoveHeld(const char* title, int code) {
  char store[kPathSize];
  int removed = 0;
  if (DisabledStoreKey(code, store, sizeof store))
    removed = SettingsDeleteValue(HKEY_LOCAL_MACHINE, store, title);
  return DisabledIndexDelete(title) | removed;
}

int RemoveRunEntry(const char* title, int code) {
  if (!title[0]) return 0;
  int removed = DisabledIndexHolds(title, code) ? RemoveHeld(title, code) : 0;
  const HKEY root = LocationRoot(code);
  const char* live = LocationKeyPath(code);
  if (ExactValueExists(root, live, title)) removed = SettingsDeleteValue(root, live, title);
  return removed ? 1 : 0;
}

// Only the held item of this command is forgotten, not another item titled alike.
int RemoveWinIniEntry(const char* title, const char* command, int code) {
  int removed = 0;
  if (title[0] && DisabledIndexHolds(title, code)) {
    char store[kPathSize];
    char stored[kStoredTextSize] = "";
    DisabledStoreKey(code, store, sizeof store);
    SettingsReadString(HKEY_LOCAL_MACHINE, store, title, stored, sizeof stored);
    if (!stored[0] || WinIniSameItem(stored, command)) removed = RemoveHeld(title, code);
  }
  return WinIniRemove(code == kLocationWinLoad ? "load" : "run", command) | removed;
}

// Deletes the shortcut or file that is the entry, never the program a shortcut points to.
int RemoveFolderEntry(const char* title, const char* command, const char* key) {
  if (title[0] && DisabledIndexHolds(title, kLocationStartupFolder)) {
    DisabledIndexDelete(title);
    FolderFileDelete(FolderFileDisabledCopy(key[0] ? key : command));
  }
  FolderFileDelete(FolderFileOfEntry(command, key));
  return 1;
}

// A package is not deleted: its DLL name is set aside, so that restoring brings it back.
int RemoveNotifyEntry(const char* title) {
  const int stopped = NotifyDisable(title);
  if (title[0] && DisabledIndexHolds(title, kLocationNotify))
    return RemoveHeld(title, kLocationNotify) | stopped;
  return stopped;
}

}  // namespace

int RemoveStartupEntryOnly(const char* title, const char* command, const char* key, int code) {
  const char* t = title ? title : "";
  const char* c = command ? command : "";
  const char* k = key ? key : "";
  if (IsRunFamily(code)) return RemoveRunEntry(RunEntryName(code, t, k).c_str(), code);
  if (code == kLocationWinLoad || code == kLocationWinRun) return RemoveWinIniEntry(t, c, code);
  if (code == kLocationStartupFolder) return RemoveFolderEntry(t, c, k);
  if (code == kLocationNotify) return RemoveNotifyEntry(t);
  if (StartupPointCode(code)) return StartupPointRemove(t, c, k, code);
  return 0;
}

void RemoveStartupEntryRecord(const char* title, const char* command, const char* key,
                              int code) {
  const char* t = title ? title : "";
  const char* c = command ? command : "";
  if (!OwnEntryCommand(c)) HistoryWrite(t, c, key ? key : "", code, kActStartRemove);
  SnapshotForget(t, c);
}

int RemoveStartupEntry(const char* title, const char* command, const char* key, int code) {
  if (code >= kLocationUserinit && code <= kLocationAppInit)
    return RemoveProtectedEntry(title, command, key, code);
  const int result = RemoveStartupEntryOnly(title, command, key, code);
  // Nothing removed: the snapshot must keep the live entry, or undo would bring back a copy.
  if (result) RemoveStartupEntryRecord(title, command, key, code);
  return result;
}
