#include "monitor_init.h"

#include <windows.h>

#include "categories/activex.h"
#include "categories/file_types.h"
#include "categories/hidden_files.h"
#include "categories/services.h"
#include "foundation/msgbox.h"
#include "foundation/options.h"
#include "foundation/paths.h"
#include "foundation/platform.h"
#include "categories/windows_settings.h"
#include "foundation/settings.h"
#include "foundation/strings.h"
#include "foundation/trace.h"
#include "foundation/user_hooks.h"
#include "monitor.h"
#include "records/first_detected.h"
#include "setup/first_detected_fill.h"
#include "setup/settings_init.h"
#include "startup/delayed_start.h"
#include "startup/item_list.h"
#include "startup/locations.h"
#include "startup/self_autostart.h"
#include "startup/startup_actions.h"
#include "sweep.h"
#include "sweep_changes.h"
#include "text.h"

namespace {

inline constexpr int kTraceOff = 9999;
inline constexpr int kOptionTextSize = 128;
inline constexpr int kIdentitySize = 1024;

// Debug is read once, straight from the store, so only a stored nonzero value turns tracing on.
void MonitorReadDebug() {
  char text[kOptionTextSize] = "";
  const OptionRow& debug = OptionRowFor(kOptDebug);
  if (SettingsReadString(HKEY_CURRENT_USER, kOptionsKey, debug.name, text, sizeof text) > 0 &&
      ParseDecimal(text) != 0)
    TraceSetCounter(0);
}

void MonitorTakeSnapshots() {
  InitFirstDetected();
  BuildServicesSnapshot();
  BuildHiddenSnapshot();
  BuildActiveXSnapshot();
}

// Notices stand alone, as they always have: the hidden monitor window owns no visible box.
void MonitorInform(HWND, const char* text) {
  ShowMessage(nullptr, text, MB_OK | MB_ICONINFORMATION);
}

void MonitorInstallUserHooks() {
  UserHooks hooks;
  hooks.owner = g_monitor.window;
  // Protected entries are removed only after the user says yes, unless the policy answers.
  hooks.confirmProtectedRemoval = ProtectedRemovalAskUnlessHidden;
  hooks.askCookieReview = SweepCookiesQuestion;
  hooks.askGuardedSetting = SweepSettingsAsk;
  if (IsVistaOrLater()) hooks.handOverGuardedSetting = SweepSettingsHandOver;
  hooks.inform = MonitorInform;
  UserHooksInstall(hooks);
}

void MonitorUpgradeStore() {
  InitApprovedUpdateMode();
  SettingsSystemFilesOnce();
  SettingsVersionAndCleanup();
}

}  // namespace

void MonitorTraceBegin() {
  char identity[kIdentitySize] = "";
  ProgramIdentity(identity, sizeof identity);
  TraceNote("-------------------------------------Begin Korvane", identity);
}

void MonitorLoadOptions() {
  LoadOptions(g_options);
  ItemListSetCookieLimit(g_options.value[kOptMaxCookie]);
  // A category switched on or off gains or loses its watched places.
  SweepChangeWatchFollowOptions();
}

void MonitorReloadIfUpdated() {
  if (OptionRead(kOptUpdate) == 0) return;
  MonitorLoadOptions();
  SettingsWriteString(HKEY_CURRENT_USER, kOptionsKey, OptionRowFor(kOptUpdate).name, "0");
}

void MonitorInitialize() {
  TraceSetCounter(kTraceOff);
  g_sweep.lastCycleStart = GetTickCount();
  ChooseLanguage();
  MonitorReadDebug();
  ItemListClear();
  g_wow64RunKey = ProbeWow64RunKey();
  MonitorInstallUserHooks();
  SettingsFirstRun();
  MonitorTraceBegin();
  MonitorTakeSnapshots();
  MonitorUpgradeStore();
  InitFileTypeStore();
  MonitorLoadOptions();
  g_selfAutostart = IsSelfAutostart() ? 1 : 0;
  SweepDelayedReset(LoadDelayedList());
}
