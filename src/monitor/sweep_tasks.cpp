#include <vector>

#include "alerts.h"
#include "categories/scheduled_tasks.h"
#include "foundation/platform.h"
#include "monitor.h"
#include "records/first_detected.h"
#include "records/known_items.h"
#include "resource.h"
#include "startup/item_list.h"
#include "sweep_steps.h"
#include "text.h"
#include "tray_icon.h"

namespace {

inline constexpr char kDetectedCategory[] = "Tasks";
// Tasks of our own product line are never asked about.
inline constexpr char kExcludedTaskText[] = "TamselScan";

bool TaskIsNew(KnownItemsView& known, const ItemRow& task) {
  return !known.Approved(task.title.c_str()) && !ContainsNoCase(task.title.c_str(), kExcludedTaskText);
}

void TaskAsk(const ItemRow& task) {
  const char* title = task.title.c_str();
  AlertSetItem(task.command.c_str(), title, 0);
  RecordFirstDetected(task.command.c_str(), kDetectedCategory);
  SetTrayStatus(IDI_TRAY_ALERT, IDS_TRAY_TASKS);
  const int answer = AlertAsk(g_options.value[kOptHideTasks], kSoundTask, kAlertTask);
  if (answer == kAnswerNo) {
    DeleteScheduledTask(title);
    KnownItemForget(kTasksKey, title);
  } else if (answer == kAnswerYes) {
    KnownItemRemember(kTasksKey, title, task.code);
  }
}

}  // namespace

// Never starts the scheduler: a stopped one runs no task that could need asking about.
void CheckScheduledTasks() {
  if (!IsSchedulerRunning()) return;
  EnumerateScheduledTasks();
  KnownItemsView known(kTasksKey);
  for (const ItemRow& task : ItemRowsCopy())
    if (TaskIsNew(known, task)) TaskAsk(task);
  if (IsWin9xFamily()) RepaintTaskbar();
}
