// The Startup Programs page's commands. Each works on the entries the selected rows were
// filled from, and refills the list when it changed the startup entries.
#include <windows.h>
#include <shellapi.h>

#include <string>

#include "add_program.h"
#include "categories/active_tasks.h"
#include "categories/system_files_restart.h"
#include "foundation/options.h"
#include "foundation/paths.h"
#include "foundation/settings.h"
#include "foundation/trace.h"
#include "info_dialog.h"
#include "lookup/info.h"
#include "message_dialog.h"
#include "page_startup.h"
#include "paths_text.h"
#include "picture_buttons.h"
#include "records/note_file.h"
#include "resource.h"
#include "shell_verbs.h"
#include "startup/delayed_start.h"
#include "startup/disabled_titles.h"
#include "startup/locations.h"
#include "startup/startup_actions.h"
#include "startup/startup_machine_remove.h"
#include "startup/startup_points.h"
#include "startup/startup_tasks.h"
#include "startup_questions.h"
#include "sweep_time_dialog.h"
#include "text.h"

namespace {

constexpr int kCannotDelayString = 1130;
constexpr int kStartupSweepLabel = 784;
constexpr int kHandAddedCode = 11;

const char* StartupOptionName(OptionId id) { return OptionRowFor(id).name; }

int StartupOption(OptionId id) {
  const OptionRow& row = OptionRowFor(id);
  return OptionGet(row.name, row.explorerDefault);
}

// Only entries whose location can be toggled are stopped when they are disabled: stopping
// the program behind a Winlogon value would take the desktop with it.
bool StartupTogglable(int code) { return code < kLocationUserinit || code == kLocationNotify; }

std::string StartupProgramFile(const ItemRow& row) {
  char file[kPathSize] = "";
  NormaliseCommand(row.command.c_str(), file, sizeof file);
  return file;
}

void StartupSelectEntry(StartupPage& page, int entry) {
  const int row = ListPageRowOfEntry(page.list, entry);
  if (row >= 0) ListPageSelectOnly(page.list, row);
}

int StartupEntryOfCommand(const StartupPage& page, const char* command, int code) {
  for (std::size_t i = 0; i < page.rows.size(); ++i)
    if (page.rows[i].code == code && EqualsNoCase(page.rows[i].command, command))
      return static_cast<int>(i);
  return -1;
}

// A task is not stopped: the program it last started may be doing the user's work.
void StartupRemoveTask(StartupPage& page, const ItemRow& row, bool single) {
  if (single && !StartupAskRemove(page.window, row.title.c_str())) return;
  if (!StartupTaskRemove(row)) TraceNote("startup page", "the task could not be deleted");
}

void StartupRemoveOne(StartupPage& page, const ItemRow& row, bool single) {
  const char* title = row.title.c_str();
  const char* command = row.command.c_str();
  if (StartupTaskRow(row.code)) {
    StartupRemoveTask(page, row, single);
    return;
  }
  if (row.code >= kLocationUserinit && !StartupPointCode(row.code)) {
    RemoveProtectedEntry(title, command, row.key.c_str(), row.code);
    return;
  }
  // Asked first, so that answering No leaves the program running as well.
  if (single && !StartupAskRemove(page.window, command)) return;
  KillTask(command, title, single ? 1 : 0);
  StartupMachineRemove(title, command, row.key.c_str(), row.code);
}

void StartupDisableTask(StartupPage& page, const ItemRow& row) {
  if (!StartupTaskDisabled(row) && !StartupTaskDisable(row))
    ShowMessageDialog(page.window, IDS_TASK_DISABLE_FAILED);
}

void StartupToggleOne(StartupPage& page, const ItemRow& row, bool enable, bool single) {
  const char* title = row.title.c_str();
  if (StartupTaskRow(row.code)) {
    if (!enable) StartupDisableTask(page, row);
    return;
  }
  if (enable) {
    if (IsEntryDisabled(title, row.code, row.key.c_str()))
      ToggleStartupEntry(title, row.command.c_str(), row.key.c_str(), row.code);
    return;
  }
  if (!StartupTogglable(row.code)) return;
  KillTask(row.command.c_str(), title, single ? 1 : 0);
  DisableStartupEntry(title, row.command.c_str(), row.key.c_str(), row.code);
}

}  // namespace

std::vector<ItemRow> StartupPageSelection(StartupPage& page) {
  std::vector<ItemRow> rows;
  for (int entry : ListPageSelectedEntries(page.list))
    if (entry >= 0 && static_cast<std::size_t>(entry) < page.rows.size())
      rows.push_back(page.rows[static_cast<std::size_t>(entry)]);
  if (rows.empty()) StartupSayNoSelection(page.window);
  return rows;
}

void StartupInfo(StartupPage& page) {
  const int entry = ListPageSelectedEntry(page.list);
  if (entry < 0 || static_cast<std::size_t>(entry) >= page.rows.size()) {
    StartupSayNoSelection(page.window);
    return;
  }
  StartupSelectEntry(page, ShowInfoDialog(page.window, page.rows, entry));
}

void StartupOnlineInfo(StartupPage& page) {
  const std::vector<ItemRow> rows = StartupPageSelection(page);
  if (rows.empty()) return;
  if (!ShowInfo(rows[0].code, rows[0].command.c_str(), rows[0].title.c_str()))
    TraceNote("startup page", "no information page could be opened");
}

void StartupAdd(StartupPage& page) {
  char path[kPathSize] = "";
  if (!AddProgramChoose(page.window, path, sizeof path)) return;
  if (!AddProgramWrite(path)) TraceNote("startup page", "the program could not be added");
  StartupPageFill(page, false);
  const int entry = StartupEntryOfCommand(page, path, kHandAddedCode);
  if (entry >= 0) StartupSelectEntry(page, entry);
}

void StartupRemove(StartupPage& page) {
  const std::vector<ItemRow> rows = StartupPageSelection(page);
  if (rows.empty()) return;
  for (const ItemRow& row : rows) StartupRemoveOne(page, row, rows.size() == 1);
  StartupPageFill(page, false);
}

void StartupToggle(StartupPage& page, bool enable) {
  const std::vector<ItemRow> rows = StartupPageSelection(page);
  if (rows.empty()) return;
  for (const ItemRow& row : rows) StartupToggleOne(page, row, enable, rows.size() == 1);
  StartupPageFill(page, false);
}

void StartupDelay(StartupPage& page) {
  const std::vector<ItemRow> rows = StartupPageSelection(page);
  if (rows.empty()) return;
  for (const ItemRow& row : rows) {
    const int outcome = DelayStartupEntry(row.title.c_str(), row.command.c_str(), row.key.c_str(),
                                          row.code, row.value);
    if (outcome == kDelayRefused || outcome == kDelayRefusedStop)
      ShowMessageDialog(page.window, kCannotDelayString);
    if (outcome == kDelayRefusedStop) break;
  }
  StartupPageFill(page, false);
}

void StartupDeleteOnReboot(StartupPage& page) {
  const std::vector<ItemRow> rows = StartupPageSelection(page);
  if (rows.empty() || !StartupAskDeleteOnReboot(page.window)) return;
  const std::string file = StartupProgramFile(rows[0]);
  if (file.empty() || !ScheduleDeleteOnRestart(file.c_str()))
    TraceNote("startup page", "deletion at restart could not be scheduled");
}

void StartupExploreFolder(StartupPage& page) {
  const std::vector<ItemRow> rows = StartupPageSelection(page);
  if (rows.empty()) return;
  const std::string file = StartupProgramFile(rows[0]);
  const std::size_t offset = FileNameOffset(file);
  if (offset > 0)
    ShellVerbRun(page.window, "explore", file.substr(0, offset - 1).c_str(), nullptr);
}

void StartupProperties(StartupPage& page) {
  const std::vector<ItemRow> rows = StartupPageSelection(page);
  if (!rows.empty()) ShellShowProperties(page.window, StartupProgramFile(rows[0]).c_str());
}

void StartupViewNote(StartupPage& page) {
  const std::vector<ItemRow> rows = StartupPageSelection(page);
  if (rows.empty()) return;
  char note[kPathSize] = "";
  if (NoteFileFind(rows[0].command.c_str(), note, sizeof note))
    ShellVerbRun(page.window, "open", note, nullptr);
}

void StartupSweepTime(StartupPage& page) {
  const int minutes = SweepTimeDialog(page.window, kStartupSweepLabel);
  if (minutes < 0) return;
  if (!OptionSet(StartupOptionName(kOptStart), minutes))
    TraceNote("startup page", "sweep time not stored");
  StartupShowMonitorPicture(page);
}

void StartupShowMonitorPicture(StartupPage& page) {
  PictureButtonSetMonitor(page.window, IDC_MONITOR_PICTURE, StartupOption(kOptStart) > 0,
                          StartupOption(kOptRealtimeStartup) > 0);
}
