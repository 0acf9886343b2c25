#include "startup/startup_actions.h"

#include <string>

#include "foundation/paths.h"
#include "foundation/settings.h"
#include "startup/locations.h"
#include "startup/run_entry_name.h"
#include "startup/snapshot.h"
#include "startup/startup_approved.h"
#include "startup/startup_action_steps.h"

namespace {

constexpr int kStoredTextSize = 1024;

struct ToggleEntry {
  const char* title;
  const char* command;
  const char* key;
  int code;
  char store[kPathSize];
};

// The live value is copied as it is (type and bytes), not rebuilt from the listed command,
// which has lost its quotes and any RUNDLL32 in front; it leaves only once the copy is held.
int ToggleRunDisable(ToggleEntry& entry) {
  const HKEY root = LocationRoot(entry.code);
  const char* live = LocationKeyPath(entry.code);
  const int created = SettingsCreateKey(HKEY_LOCAL_MACHINE, entry.store);
  if (!created) return 0;
  const bool isLive = ExactValueExists(root, live, entry.title);
  const int held =
      isLive ? ExactValueCopy(root, live, HKEY_LOCAL_MACHINE, entry.store, entry.title)
             : SettingsWriteString(HKEY_LOCAL_MACHINE, entry.store, entry.title, entry.command);
  if (!held) return 0;
  if (!DisabledIndexWrite(entry.title, entry.code)) {
    SettingsDeleteValue(HKEY_LOCAL_MACHINE, entry.store, entry.title);
    return 0;
  }
  // A live value that stays would start the program although the entry reads as disabled.
  if (isLive && !SettingsDeleteValue(root, live, entry.title)) {
    DisabledIndexDelete(entry.title);
    SettingsDeleteValue(HKEY_LOCAL_MACHINE, entry.store, entry.title);
    return 0;
  }
  return created;
}

// A value that is live again (the program put itself back) stays as it is.
int ToggleRunEnable(ToggleEntry& entry) {
  const HKEY root = LocationRoot(entry.code);
  const char* live = LocationKeyPath(entry.code);
  if (!ExactValueExists(root, live, entry.title) &&
      !ExactValueCopy(HKEY_LOCAL_MACHINE, entry.store, root, live, entry.title) &&
      !(entry.command[0] && SettingsWriteString(root, live, entry.title, entry.command)))
    return 0;
  SettingsDeleteValue(HKEY_LOCAL_MACHINE, entry.store, entry.title);
  return DisabledIndexDelete(entry.title);
}

const char* ToggleWinIniKey(int code) { return code == kLocationWinLoad ? "load" : "run"; }

// The store keeps the item as win.ini had it, so that enabling writes back the same text.
int ToggleWinIniDisable(ToggleEntry& entry) {
  const char* keyName = ToggleWinIniKey(entry.code);
  std::string line, removed;
  if (!WinIniPlanRemove(keyName, entry.command, line, removed)) return 0;
  if (!SettingsCreateKey(HKEY_LOCAL_MACHINE, entry.store) ||
      !SettingsWriteString(HKEY_LOCAL_MACHINE, entry.store, entry.title, removed.c_str()))
    return 0;
  if (DisabledIndexWrite(entry.title, entry.code) && WinIniWriteLine(keyName, line)) return 1;
  DisabledIndexDelete(entry.title);
  SettingsDeleteValue(HKEY_LOCAL_MACHINE, entry.store, entry.title);
  return 0;
}

int ToggleWinIniEnable(ToggleEntry& entry) {
  const char* keyName = ToggleWinIniKey(entry.code);
  char stored[kStoredTextSize];
  SettingsReadString(HKEY_LOCAL_MACHINE, entry.store, entry.title, stored, sizeof stored);
  std::string line, removed;
  // Items without a product name share the title "load" or "run": a live item of that title
  // is another entry than the one held, which stays held.
  if (stored[0] && !WinIniSameItem(stored, entry.command) &&
      WinIniPlanRemove(keyName, entry.command, line, removed))
    return 0;
  if (!WinIniAppend(keyName, stored[0] ? stored : entry.command)) return 0;
  DisabledIndexDelete(entry.title);
  SettingsDeleteValue(HKEY_LOCAL_MACHINE, entry.store, entry.title);
  return 0;
}

int ToggleFolderDisable(ToggleEntry& entry) {
  const std::string file = FolderFileOfEntry(entry.command, entry.key);
  if (file.empty() || !DisabledIndexWrite(entry.title, kLocationStartupFolder)) return 0;
  if (FolderFileDisable(file)) return 1;
  DisabledIndexDelete(entry.title);
  return 0;
}

int ToggleFolderEnable(ToggleEntry& entry) {
  if (!FolderFileEnable(entry.key[0] ? entry.key : entry.command)) return 0;
  DisabledIndexDelete(entry.title);
  return 1;
}

int ToggleNotifyDisable(ToggleEntry& entry) {
  if (!NotifyDisable(entry.title)) return 0;
  const int created = SettingsCreateKey(HKEY_LOCAL_MACHINE, entry.store);
  if (!created ||
      !SettingsWriteString(HKEY_LOCAL_MACHINE, entry.store, entry.title, entry.command) ||
      !DisabledIndexWrite(entry.title, kLocationNotify)) {
    SettingsDeleteValue(HKEY_LOCAL_MACHINE, entry.store, entry.title);
    NotifyEnable(entry.title);
    return 0;
  }
  SnapshotMarkKnown(entry.command, kLocationNotify);
  return created;
}

int ToggleNotifyEnable(ToggleEntry& entry) {
  if (!NotifyEnable(entry.title)) return 0;
  DisabledIndexDelete(entry.title);
  SettingsDeleteValue(HKEY_LOCAL_MACHINE, entry.store, entry.title);
  return 0;
}

int ToggleDispatch(ToggleEntry& entry, bool enable) {
  if (IsRunFamily(entry.code)) return enable ? ToggleRunEnable(entry) : ToggleRunDisable(entry);
  switch (entry.code) {
    case kLocationWinLoad:
    case kLocationWinRun:
      return enable ? ToggleWinIniEnable(entry) : ToggleWinIniDisable(entry);
    case kLocationStartupFolder:
      return enable ? ToggleFolderEnable(entry) : ToggleFolderDisable(entry);
    case kLocationNotify:
      return enable ? ToggleNotifyEnable(entry) : ToggleNotifyDisable(entry);
    default:
      return 0;
  }
}

}  // namespace

int ToggleStartupEntry(const char* title, const char* command, const char* key, int code) {
  // The index is keyed by title alone; an empty one would be the key's default value.
  if (!title || !title[0]) return 0;
  const std::string name = StartupEntryName(code, title, key);
  title = name.c_str();
  ToggleEntry entry{title, command ? command : "", key ? key : "", code, {}};
  DisabledStoreKey(code, entry.store, sizeof entry.store);
  if (entry.store[0] == '\0' && code != kLocationStartupFolder) return 0;
  const int held = DisabledIndexCode(title);
  // The title is held for another location: touching either entry would lose the other.
  if (held != kDisabledIndexMissing && !DisabledIndexHolds(title, code)) return 0;
  // An entry turned off by Task Manager only (listed as disabled): enabling turns it on.
  const char* approvedName = code == kLocationStartupFolder ? entry.key : title;
  if (held == kDisabledIndexMissing && StartupApprovedOff(code, approvedName))
    return StartupApprovedKeep(code, approvedName, false);
  const int result = ToggleDispatch(entry, held != kDisabledIndexMissing);
  StartupApprovedKeep(code, approvedName, DisabledIndexCode(title) != kDisabledIndexMissing);
  return result;
}
