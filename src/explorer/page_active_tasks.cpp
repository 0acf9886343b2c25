// The Active Tasks page: the programs running now, one row per program file, each row
// stopped by the process it was filled from.
#include <string>

#include "categories/active_tasks.h"
#include "categories/task_kill.h"
#include "category_page.h"
#include "foundation/paths.h"
#include "foundation/trace.h"
#include "pages.h"
#include "paths_text.h"
#include "resource.h"
#include "sheet.h"

namespace {

constexpr int kColumnTitles[] = {629, 631, 699, 912};
constexpr int kDetectedColumn = 3;
constexpr char kDetectedCategory[] = "ActiveTasks";

constexpr CategoryText kTexts[] = {{221, IDC_ACTIVE_HEADER}, {222, IDC_ACTIVE_HEADER2},
                                   {305, IDC_PAGE_REFRESH},  {306, IDC_PAGE_KILL}};
constexpr CategoryMenuRow kMenu[] = {
    {301, IDC_PAGE_INFO, MenuShow::Always},
    {1135, ID_MENU_EXPLORE_FOLDER, MenuShow::Always},
    {1136, ID_MENU_PROPERTIES, MenuShow::Always},
    {971, ID_MENU_VIEW_NOTE, MenuShow::NoteExists},
    {305, IDC_PAGE_REFRESH, MenuShow::Always},
    {306, IDC_PAGE_KILL, MenuShow::Always},
    {801, ID_MENU_DELETE_ON_REBOOT, MenuShow::Always},
};

CategoryPage g_activeTasksPage;

void ActiveTasksFill(CategoryPage& page) {
  EnumerateActiveTasks();
  for (ItemRow& row : ItemRowsCopy())
    if (FileNameOffset(row.command) > 0) page.rows.push_back(std::move(row));
  page.list.rows.resize(page.rows.size());
  for (std::size_t i = 0; i < page.rows.size(); ++i) {
    const ItemRow& row = page.rows[i];
    ListRowView& view = page.list.rows[i];
    const ListFileFacts& facts = CategoryPageFacts(page, view, row, kDetectedCategory);
    view.cell[0] = row.command.substr(FileNameOffset(row.command));
    view.cell[1] = row.title;
    view.late[2] = ListLate::Company;
    view.cell[kDetectedColumn] = facts.firstDetected;
  }
}

SortKey ActiveTasksSortKey(const ListPage& list, int entry, int column) {
  if (column == kDetectedColumn) return ListPageDateKey(list, entry, column);
  return ListPageTextKey(list, entry, column);
}

void ActiveTasksKill(CategoryPage& page) {
  const std::vector<ItemRow> rows = CategoryPageSelection(page);
  if (rows.empty()) return;
  for (const ItemRow& row : rows)
    if (!KillListedProcess(static_cast<unsigned long>(row.value), row.title.c_str(),
                           row.command.c_str(), row.extra.c_str()))
      TraceNote("active tasks page", "the process could not be stopped");
  CategoryPageFill(page);
}

bool ActiveTasksCommand(CategoryPage& page, int command) {
  switch (command) {
    case ID_PAGE_ACTIVE_TASKS:
    case IDC_PAGE_REFRESH: CategoryPageFill(page); return true;
    case IDC_PAGE_KILL: ActiveTasksKill(page); return true;
    default: return false;
  }
}

void ActiveTasksSelection(CategoryPage&, const ItemRow* row) {
  SetStatusText(row ? row->command.c_str() : "");
}

const CategoryPageTraits kActiveTasksTraits = {
    ID_PAGE_ACTIVE_TASKS,
    IDI_TAB_ACTIVE_TASKS,
    "SortActiveTask",
    kColumnTitles,
    4,
    kTexts,
    static_cast<int>(std::size(kTexts)),
    IDC_ACTIVE_HEADER2,
    {IDC_PAGE_LIST, IDC_PAGE_ICON, IDC_ACTIVE_HEADER, 0, 0, 0, 0, 0,
     {IDC_PAGE_INFO, IDC_PAGE_REFRESH, IDC_PAGE_KILL, IDC_PAGE_CLOSE, 0},
     {0, 0, 0, 0, 0},
     4},
    nullptr,
    0,
    0,
    kOptStart,
    0,
    kMenu,
    static_cast<int>(std::size(kMenu)),
    true,
    ActiveTasksFill,
    ActiveTasksSortKey,
    ActiveTasksCommand,
    ActiveTasksSelection,
};

}  // namespace

INT_PTR CALLBACK ActiveTasksPageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return CategoryPageProc(g_activeTasksPage, kActiveTasksTraits, window, message, wParam, lParam);
}
