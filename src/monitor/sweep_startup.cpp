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
#include "startup/startup_machine_remove.h"
#include "sweep.h"
#include "sweep_steps.h"
#include "text.h"
#include "tray_icon.h"

namespace {

inline constexpr char kInstallerCleanupTitle[] = "McAfee Application Installer Cleanup";
inline constexpr char kDetectedCategory[] = "Startup";

// The command as the snapshot names it.
std::string StartupName(const ItemRow& entry) { return ItemRowColonCommand(entry); }

void StartupRemember(const ItemRow& entry) {
  char code[16];
  std::snprintf(code, sizeof code, "%d", entry.code);
  SettingsWriteString(HKEY_CURRENT_USER, kKnownStartupKey, StartupName(entry).c_str(), code);
}

// The actions get the command as listed: they find the entry by it (a win.ini item, a file)
// and give it its snapshot name themselves.
void StartupDisable(const ItemRow& entry) {
  DisableStartupEntryKnown(entry.title.c_str(), entry.command.c_str(), entry.key.c_str(),
                           entry.code);
}

void StartupKill(const ItemRow& entry) {
  KillTask(entry.command.c_str(), entry.title.c_str(), 0);
}

// The delayed record is named by the program file alone, as it was when the entry was
// delayed; the full command would name nothing and leave the program starting twice.
void StartupForgetDelayed(const ItemRow& entry) {
  char windows[kItemCommandSize] = "";
  GetWindowsDirectoryA(windows, sizeof windows);
  std::string program, parameters;
  SplitCommand(entry.command, windows, program, parameters);
  if (program.empty()) return;
  ForgetDelayed(entry.code < kLocationFirstPerUser ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER,
                program.c_str());
}

int StartupAsk(const ItemRow& entry, int dialog) {
  AlertSetItem(entry.command.c_str(), entry.title.c_str(), entry.code);
  return AlertAsk(g_options.value[kOptHideStartup], kSoundStartup, dialog);
}

void StartupDelayedBack(const ItemRow& entry) {
  const int answer = StartupAsk(entry, kAlertDelayedBack);
  if (answer == kAnswerYes) {
    StartupRemember(entry);
    StartupForgetDelayed(entry);
  } else if (answer == kAnswerNo) {
    StartupDisable(entry);
  }
}

// A machine-wide entry may be handed to an elevated explorer; its line and snapshot are
// written here, once it is gone.
bool StartupRemove(const ItemRow& entry) {
  return StartupMachineRemove(entry.title.c_str(), entry.command.c_str(), entry.key.c_str(),
                              entry.code) != 0;
}

// An entry that could not be removed stays unknown, so the next check asks again.
void StartupReject(const ItemRow& entry) {
  const std::string name = StartupName(entry);
  StartupKill(entry);
  if (!StartupRemove(entry)) return;
  SettingsDeleteValue(HKEY_CURRENT_USER, kKnownStartupKey, name.c_str());
  SettingsDeleteValue(HKEY_CURRENT_USER, kKnownStartupKey, entry.title.c_str());
}

// False when the walk must stop for this cycle.
bool StartupNew(const ItemRow& entry) {
  if (ContainsNoCase(entry.title.c_str(), kInstallerCleanupTitle)) return false;
  RecordFirstDetected(entry.command.c_str(), kDetectedCategory);
  SetTrayStatus(IDI_TRAY_ALERT, IDS_TRAY_STARTUP);
  switch (StartupAsk(entry, kAlertStartup)) {
    case kAnswerYes: StartupRemember(entry); break;
    case kAnswerNo: StartupReject(entry); break;
    case kAnswerDisable:
      StartupKill(entry);
      StartupDisable(entry);
      break;
    default: break;  // no dialog: the entry comes up again next time
  }
  return true;
}

bool StartupVisit(int index) {
  // Copied out of the list before any alert: the list may be rebuilt while the user decides.
  const ItemRow entry = ItemRowAt(index);
  const int known = SnapshotLookup(entry.title.c_str(), entry.command.c_str());
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
