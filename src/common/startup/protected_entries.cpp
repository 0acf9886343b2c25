#include "foundation/msgbox.h"
#include "foundation/options.h"
#include "foundation/settings.h"
#include "foundation/user_hooks.h"
#include "records/history.h"
#include "resource.h"
#include "startup/locations.h"
#include "startup/snapshot.h"
#include "startup/startup_action_steps.h"
#include "startup/startup_actions.h"

namespace {

// An empty name would be the key's default value, which is no entry.
void ProtectedDeleteValue(const char* subkey, const char* name) {
  if (name[0]) SettingsDeleteValue(HKEY_LOCAL_MACHINE, subkey, name);
}

}  // namespace

bool ProtectedRemovalAskUnlessHidden(HWND owner, const char*, const char*) {
  if (OptionRead(kOptHideStartup) != 0) return true;
  return ShowStringMessage(owner, IDS_PROTECTED_REMOVE_QUESTION,
                           MB_YESNO | MB_ICONSTOP | MB_DEFBUTTON2) == IDYES;
}

int RemoveProtectedEntry(const char* title, const char* command, const char* key, int code) {
  const char* t = title ? title : "";
  const char* c = command ? command : "";
  const char* k = key ? key : "";
  int action = kActStartRemove;
  if (code == kLocationUserinit) {
    ResetWinlogonUserinit();
    action = kActResetUserinit;
  } else if (code == kLocationShell) {
    ResetWinlogonShell();
    action = kActResetShell;
  } else if (code >= kLocationDelayLoad && code <= kLocationAppInit) {
    if (!UserConfirmProtectedRemoval(t, c)) return 1;
    SnapshotForget(nullptr, c);
    if (code == kLocationDelayLoad) {
      ProtectedDeleteValue(kActionDelayLoadKey, t);
      action = kActRemoveDelayLoad;
    } else if (code == kLocationTaskScheduler) {
      ProtectedDeleteValue(kActionTaskSchedulerKey, k);
      action = kActRemoveTaskScheduler;
    } else if (code == kLocationShellHook) {
      ProtectedDeleteValue(kActionShellHooksKey, k);
      action = kActRemoveShellExecuteHook;
    } else {
      AppInitRemove(c);
    }
  } else {
    return 1;
  }
  HistoryWrite(t, c, k, code, action);
  return 1;
}
