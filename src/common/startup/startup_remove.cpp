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

int RemoveStartupEntry(const char* title, const char* command, const char* key, int code) {
  if (code >= kLocationUserinit && code <= kLocationAppInit)
    return RemoveProtectedEntry(title, command, key, code);
  const char* t = title ? title : "";
  const char* c = command ? command : "";
  const char* k = key ? key : "";
  int result = 0;
  if (IsRunFamily(code))
    result = RemoveRunEntry(RunEntryName(code, t, k).c_str(), code);
  else if (code == kLocationWinLoad || code == kLocationWinRun)
    result = RemoveWinIniEntry(t, c, code);
  else if (code == kLocationStartupFolder)
    result = RemoveFolderEntry(t, c, k);
  else if (code == kLocationNotify)
    result = RemoveNotifyEntry(t);
  else
    return 0;
  // Nothing removed: the snapshot must keep the live entry, or undo would bring back a copy.
  if (!result) return 0;
  if (!OwnEntryCommand(c)) HistoryWrite(t, c, k, code, kActStartRemove);
  SnapshotForget(t, c);
  return result;
}
