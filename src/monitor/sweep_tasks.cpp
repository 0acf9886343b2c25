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

struct TaskEntry {
  char title[kItemTitleSize];
  char command[kItemCommandSize];
};

std::vector<TaskEntry> TasksListed() {
  std::vector<TaskEntry> tasks(static_cast<std::size_t>(ItemCount()));
  for (std::size_t i = 0; i < tasks.size(); ++i) {
    ItemTitle(static_cast<int>(i), tasks[i].title);
    ItemCommand(static_cast<int>(i), tasks[i].command);
  }
  return tasks;
}

bool TaskIsNew(KnownItemsView& known, const TaskEntry& task) {
  return !known.Approved(task.title) && !ContainsNoCase(task.title, kExcludedTaskText);
}

void TaskAsk(const TaskEntry& task) {
  AlertSetItem(task.command, task.title, 0);
  RecordFirstDetected(task.command, kDetectedCategory);
  SetTrayStatus(IDI_TRAY_ALERT, IDS_TRAY_TASKS);
  const int answer = AlertAsk(g_options.value[kOptHideTasks], kSoundTask, kAlertTask);
  if (answer == kAnswerNo) {
    DeleteScheduledTask(task.title);
    KnownItemForget(kTasksKey, task.title);
  } else if (answer == kAnswerYes) {
    KnownItemRemember(kTasksKey, task.title, kTaskScheduledCode);
  }
}

}  // namespace

// Never starts the scheduler: a stopped one runs no task that could need asking about.
void CheckScheduledTasks() {
  if (!IsSchedulerRunning()) return;
  EnumerateScheduledTasks();
  KnownItemsView known(kTasksKey);
  for (const TaskEntry& task : TasksListed())
    if (TaskIsNew(known, task)) TaskAsk(task);
  if (IsWin9xFamily()) RepaintTaskbar();
}
