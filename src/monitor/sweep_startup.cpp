#include <cstdio>
#include <string>

#include "alerts.h"
#include "categories/active_tasks.h"
#include "foundation/settings.h"
#include "foundation/trace.h"
#include "monitor.h"
#include "paths_text.h"
#include "records/first_detected.h"
#include "resource.h"
#include "startup/delayed_start.h"
#include "startup/item_list.h"
#include "startup/locations.h"
#include "startup/snapshot.h"
#include "startup/startup_actions.h"
#include "sweep.h"
#include "sweep_steps.h"
#include "text.h"
#include "tray_icon.h"

namespace {

inline constexpr char kInstallerCleanupTitle[] = "McAfee Application Installer Cleanup";
inline constexpr char kDetectedCategory[] = "Startup";
inline constexpr int kFirstPerUserCode = 11;

// Copied out of the list before any alert: the list may be rebuilt while the user decides.
struct StartupEntry {
  char title[kItemTitleSize];
  char command[kItemCommandSize];
  char name[kItemCommandSize];  // the command as the snapshot names it
  char key[kItemKeySize];
  int code;
};

void StartupEntryRead(int index, StartupEntry& entry) {
  ItemTitle(index, entry.title);
  ItemCommand(index, entry.command);
  ItemKey(index, entry.key);
  entry.code = ItemCode(index);
  SnapshotName(entry.command, entry.name);
}

void StartupRemember(const StartupEntry& entry) {
  char code[16];
  std::snprintf(code, sizeof code, "%d", entry.code);
  SettingsWriteString(HKEY_CURRENT_USER, kKnownStartupKey, entry.name, code);
}

void StartupDisable(const StartupEntry& entry) {
  if (!IsTitleDisabled(entry.title))
    ToggleStartupEntry(entry.title, entry.name, entry.key, entry.code);
}

// The delayed record is named by the program file alone, as it was when the entry was
// delayed; the full command would name nothing and leave the program starting twice.
void StartupForgetDelayed(const StartupEntry& entry) {
  char windows[kItemCommandSize] = "";
  GetWindowsDirectoryA(windows, sizeof windows);
  std::string program, parameters;
  SplitCommand(entry.command, windows, program, parameters);
  if (program.empty()) return;
  ForgetDelayed(entry.code < kFirstPerUserCode ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER,
                program.c_str());
}

int StartupAsk(const StartupEntry& entry, int dialog) {
  AlertSetItem(entry.command, entry.title, entry.code);
  return AlertAsk(g_options.value[kOptHideStartup], kSoundStartup, dialog);
}

void StartupDelayedBack(const StartupEntry& entry) {
  const int answer = StartupAsk(entry, kAlertDelayedBack);
  if (answer == kAnswerYes) {
    StartupRemember(entry);
    StartupForgetDelayed(entry);
  } else if (answer == kAnswerNo) {
    StartupRemember(entry);
    StartupDisable(entry);
  }
}

void StartupReject(const StartupEntry& entry) {
  KillTask(entry.name, entry.title, 0);
  RemoveStartupEntry(entry.title, entry.name, entry.key, entry.code);
  SettingsDeleteValue(HKEY_CURRENT_USER, kKnownStartupKey, entry.name);
  SettingsDeleteValue(HKEY_CURRENT_USER, kKnownStartupKey, entry.title);
}

// False when the walk must stop for this cycle.
bool StartupNew(const StartupEntry& entry) {
  if (ContainsNoCase(entry.title, kInstallerCleanupTitle)) return false;
  RecordFirstDetected(entry.command, kDetectedCategory);
  SetTrayStatus(IDI_TRAY_ALERT, IDS_TRAY_STARTUP);
  switch (StartupAsk(entry, kAlertStartup)) {
    case kAnswerYes: StartupRemember(entry); break;
    case kAnswerNo: StartupReject(entry); break;
    case kAnswerDisable:
      StartupRemember(entry);
      KillTask(entry.name, entry.title, 0);
      StartupDisable(entry);
      break;
    default: break;  // no dialog: the entry comes up again next time
  }
  return true;
}

bool StartupVisit(int index) {
  StartupEntry entry = {};
  StartupEntryRead(index, entry);
  const int known = SnapshotLookup(entry.title, entry.command);
  if (known == kSnapshotMissing || known == 0) return StartupNew(entry);
  if (known == kDelayedMarker) StartupDelayedBack(entry);
  return true;
}

}  // namespace

void SweepStartupCheck() {
  if (!StartupChanged()) {
    TraceNote("VERIFY", "No Startup Change Detected.");
    return;
  }
  for (int index = 0; index < ItemCount(); ++index)
    if (!StartupVisit(index)) break;
}
