// The Scheduled Tasks page: the work items of the Task Scheduler.
#include <string>

#include "categories/listed_removals.h"
#include "categories/scheduled_tasks.h"
#include "categories/scheduled_tasks_v2.h"
#include "category_page.h"
#include "message_dialog.h"
#include "foundation/trace.h"
#include "pages.h"
#include "resource.h"

namespace {

constexpr int kColumnTitles[] = {681, 684, 699, 683, 682};
constexpr int kRemoveQuestionString = 687;
constexpr std::size_t kTaskFileExtension = 4;  // ".job"

constexpr CategoryText kTexts[] = {{678, IDC_TASKS_HEADER}, {679, IDC_TASKS_HEADER2},
                                   {302, IDC_PAGE_REMOVE}};
constexpr CategoryMenuRow kMenu[] = {
    {301, IDC_PAGE_INFO, MenuShow::Always},
    {1135, ID_MENU_EXPLORE_FOLDER, MenuShow::Always},
    {1136, ID_MENU_PROPERTIES, MenuShow::Always},
    {971, ID_MENU_VIEW_NOTE, MenuShow::NoteExists},
    {302, IDC_PAGE_REMOVE, MenuShow::Always},
    {633, IDC_PAGE_DISABLE, MenuShow::Always},
    {801, ID_MENU_DELETE_ON_REBOOT, MenuShow::Always},
};

CategoryPage g_tasksPage;

std::string TaskShownName(const std::string& name) {
  if (TaskV2Named(name.c_str())) return name;
  return name.size() > kTaskFileExtension ? name.substr(0, name.size() - kTaskFileExtension) : name;
}

void TasksFill(CategoryPage& page) {
  if (EnumerateScheduledTasks() <= 0) ItemListClear();
  page.rows = ItemRowsCopy();
  page.list.rows.resize(page.rows.size());
  for (std::size_t i = 0; i < page.rows.size(); ++i) {
    const ItemRow& row = page.rows[i];
    ListRowView& view = page.list.rows[i];
    CategoryPageFacts(page, view, row, nullptr);
    view.cell[0] = TaskShownName(row.title);
    view.cell[1] = CategoryCommandShown(row.command);
    view.late[2] = ListLate::Company;
    view.cell[3] = row.key;
    view.cell[4] = row.extra;
  }
}

void TasksRemove(CategoryPage& page) {
  const int entry = CategoryPageSelectedEntry(page);
  if (entry < 0) return;
  const std::string title = page.rows[static_cast<std::size_t>(entry)].title;
  if (!CategoryAsk(page.window, kRemoveQuestionString, title.c_str(), MB_ICONEXCLAMATION)) return;
  if (!RemoveListedScheduledTask(title.c_str()))
    TraceNote("scheduled tasks page", "the task could not be deleted");
  CategoryPageFill(page);
}

// Only a 2.0 task can be switched off, and only through the Task Scheduler.
void TasksDisable(CategoryPage& page) {
  const int entry = CategoryPageSelectedEntry(page);
  if (entry < 0) return;
  const std::string title = page.rows[static_cast<std::size_t>(entry)].title;
  if (DisableTaskV2(title.c_str()) != S_OK) {
    ShowMessageDialog(page.window, IDS_TASK_DISABLE_FAILED);
    return;
  }
  CategoryPageFill(page);
}

bool TasksCommand(CategoryPage& page, int command) {
  if (command == IDC_PAGE_DISABLE) {
    TasksDisable(page);
    return true;
  }
  if (command != IDC_PAGE_REMOVE) return false;
  TasksRemove(page);
  return true;
}

const CategoryPageTraits kTasksTraits = {
    ID_PAGE_SCHEDULED_TASKS,
    IDI_TAB_SCHEDULED_TASKS,
    "SortScheduledTask",
    kColumnTitles,
    5,
    kTexts,
    static_cast<int>(std::size(kTexts)),
    IDC_TASKS_HEADER2,
    {IDC_PAGE_LIST, IDC_PAGE_ICON, IDC_TASKS_HEADER, IDC_HELP_PICTURE, IDC_HELP_LABEL,
     IDC_MONITOR_PICTURE, IDC_MONITOR_LABEL, 0,
     {IDC_PAGE_INFO, IDC_PAGE_REMOVE, IDC_PAGE_CLOSE, 0, 0},
     {0, 0, 0, 0, 0},
     3},
    nullptr,
    0,
    786,
    kOptTasks,
    ID_PAGE_SCHEDULED_TASKS,
    kMenu,
    static_cast<int>(std::size(kMenu)),
    false,
    TasksFill,
    ListPageTextKey,
    TasksCommand,
    nullptr,
};

}  // namespace

INT_PTR CALLBACK ScheduledTasksPageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return CategoryPageProc(g_tasksPage, kTasksTraits, window, message, wParam, lParam);
}
