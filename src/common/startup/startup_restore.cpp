#include "foundation/settings.h"
#include "startup/locations.h"
#include "startup/run_entry_name.h"
#include "startup/snapshot.h"
#include "startup/startup_action_steps.h"
#include "startup/startup_actions.h"
#include "startup/startup_points.h"

namespace {

// An empty name would write the key's default value, which is no entry.
int RestoreValue(HKEY root, const char* subkey, const char* name, const char* data) {
  return name[0] && SettingsWriteString(root, subkey, name, data);
}

int RestoreWrite(const char* title, const char* command, const char* key, int code) {
  if (IsRunFamily(code))
    return RestoreValue(LocationRoot(code), LocationKeyPath(code),
                        RunEntryName(code, title, key).c_str(), command);
  switch (code) {
    case kLocationWinLoad:
      return WinIniAppend("load", command);
    case kLocationWinRun:
      return WinIniAppend("run", command);
    case kLocationStartupFolder:
      return FolderFileShortcut(title, command, key);
    case kLocationDelayLoad:
      return RestoreValue(HKEY_LOCAL_MACHINE, kActionDelayLoadKey, title, key);
    case kLocationTaskScheduler:
      return RestoreValue(HKEY_LOCAL_MACHINE, kActionTaskSchedulerKey, key, title);
    case kLocationShellHook:
      return RestoreValue(HKEY_LOCAL_MACHINE, kActionShellHooksKey, key, title);
    case kLocationAppInit:
      return AppInitAppend(command);
    case kLocationNotify:
      return NotifyEnable(title);
    default:
      return StartupPointCode(code) ? StartupPointRestore(title, command, key, code) : 0;
  }
}

}  // namespace

int RestoreStartupEntryOnly(const char* title, const char* command, const char* key, int code) {
  return RestoreWrite(title ? title : "", command ? command : "", key ? key : "", code);
}

int RestoreStartupEntry(const char* title, const char* command, const char* key, int code) {
  const char* t = title ? title : "";
  const char* c = command ? command : "";
  if (!RestoreWrite(t, c, key ? key : "", code)) return 0;
  SnapshotMarkKnown(c, code);
  return 1;
}
