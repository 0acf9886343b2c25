#include "startup/startup_tasks.h"

#include <windows.h>

#include "categories/listed_removals.h"
#include "categories/scheduled_tasks_v2.h"
#include "startup/startup_list.h"

int StartupTasksBuildList(int quick) {
  BuildStartupList(quick);
  if (StartupListShowsAll(quick)) TasksV2AddToList();
  return ItemCount();
}

bool StartupTaskRow(int code) { return code == kTaskScheduled2Code; }

// The list's value carries the task's state: 1 while it is enabled.
bool StartupTaskDisabled(const ItemRow& row) {
  return StartupTaskRow(row.code) && row.value == 0;
}

bool StartupTaskRemove(const ItemRow& row) {
  return StartupTaskRow(row.code) && RemoveListedScheduledTask(row.title.c_str());
}

bool StartupTaskDisable(const ItemRow& row) {
  return StartupTaskRow(row.code) && DisableTaskV2(row.title.c_str()) == S_OK;
}
