// The Hidden Files page: files with the hidden attribute in the Windows and system folders.
#include <string>

#include "categories/hidden_files.h"
#include "category_page.h"
#include "foundation/filefacts.h"
#include "foundation/strings.h"
#include "foundation/trace.h"
#include "pages.h"
#include "paths_text.h"
#include "resource.h"
#include "shell_verbs.h"

namespace {

constexpr int kColumnTitles[] = {629, 776, 912, 914, 714};
constexpr int kDetectedColumn = 2;
constexpr int kWrittenColumn = 3;
constexpr int kTypeColumn = 4;
constexpr int kDeleteQuestionString = 926;
constexpr char kSystemType[] = "SYSTEM";

constexpr CategoryText kTexts[] = {{910, IDC_HIDDEN_HEADER}, {911, IDC_HIDDEN_HEADER2},
                                   {305, IDC_PAGE_REFRESH},  {931, IDC_PAGE_KILL}};
constexpr CategoryMenuRow kMenu[] = {
    {301, IDC_PAGE_INFO, MenuShow::Always},
    {1135, ID_MENU_EXPLORE_FOLDER, MenuShow::Always},
    {1136, ID_MENU_PROPERTIES, MenuShow::Always},
    {971, ID_MENU_VIEW_NOTE, MenuShow::NoteExists},
    {305, IDC_PAGE_REFRESH, MenuShow::Always},
    {925, ID_MENU_DELETE_FILE, MenuShow::Always},
    {801, ID_MENU_DELETE_ON_REBOOT, MenuShow::Always},
    {913, ID_MENU_NOTEPAD, MenuShow::Always},
};

CategoryPage g_hiddenPage;

// Read when the row is shown: opening every hidden file while the list fills would cost more
// than finding them did.
std::string HiddenWrittenCell(const ListPage&, int entry, int) {
  char written[kFactSlotSize] = "", size[kFactSlotSize] = "";
  const std::string& path = g_hiddenPage.rows[static_cast<std::size_t>(entry)].command;
  if (ReadSizeAndWritten(path.c_str(), written, size) > 0) return written;
  char inUse[64] = "";
  LocalString(IDS_FILE_IN_USE, inUse, sizeof inUse);
  return inUse;
}

void HiddenFill(CategoryPage& page) {
  EnumerateHiddenFiles();
  page.rows = ItemRowsCopy();
  page.list.rows.resize(page.rows.size());
  page.list.lateCell = HiddenWrittenCell;
  for (std::size_t i = 0; i < page.rows.size(); ++i) {
    const ItemRow& row = page.rows[i];
    ListRowView& view = page.list.rows[i];
    const ListFileFacts& facts = CategoryPageFacts(page, view, row, kHiddenDetectedCategory);
    const std::size_t name = FileNameOffset(row.command);
    view.cell[0] = row.command.substr(name);
    view.cell[1] = row.command.substr(0, name > 0 ? name - 1 : 0);
    view.cell[kDetectedColumn] = facts.firstDetected;
    view.late[kWrittenColumn] = ListLate::Page;
    view.cell[kTypeColumn] = row.value == 0 ? kSystemType : "";
  }
}

SortKey HiddenSortKey(const ListPage& list, int entry, int column) {
  if (column == kDetectedColumn || column == kWrittenColumn) return ListPageDateKey(list, entry, column);
  if (column == kTypeColumn)
    return {std::to_string(g_hiddenPage.rows[static_cast<std::size_t>(entry)].value), false};
  return ListPageTextKey(list, entry, column);
}

void HiddenUnhide(CategoryPage& page) {
  const std::vector<ItemRow> rows = CategoryPageSelection(page);
  if (rows.empty()) return;
  for (const ItemRow& row : rows)
    if (!SetFileAttributesA(row.command.c_str(), FILE_ATTRIBUTE_NORMAL))
      TraceNote("hidden files page", "the file's attributes could not be cleared");
  CategoryPageFill(page);
}

// The library keeps a copy in the vault before deleting, so the history can put it back.
void HiddenDelete(CategoryPage& page) {
  const int entry = CategoryPageSelectedEntry(page);
  if (entry < 0) return;
  const ItemRow row = page.rows[static_cast<std::size_t>(entry)];
  if (!CategoryAsk(page.window, kDeleteQuestionString, nullptr, MB_ICONQUESTION)) return;
  if (!DeleteHiddenFile(row.title.c_str(), row.command.c_str()))
    TraceNote("hidden files page", "the file could not be deleted");
  CategoryPageFill(page);
}

void HiddenNotepad(CategoryPage& page) {
  const int entry = CategoryPageSelectedEntry(page);
  if (entry < 0) return;
  const std::string quoted = '"' + page.rows[static_cast<std::size_t>(entry)].command + '"';
  ShellVerbRun(page.window, "open", "notepad.exe", quoted.c_str());
}

bool HiddenCommand(CategoryPage& page, int command) {
  switch (command) {
    case IDC_PAGE_REFRESH: CategoryPageFill(page); return true;
    case IDC_PAGE_KILL: HiddenUnhide(page); return true;
    case ID_MENU_DELETE_FILE: HiddenDelete(page); return true;
    case ID_MENU_NOTEPAD: HiddenNotepad(page); return true;
    default: return false;
  }
}

const CategoryPageTraits kHiddenTraits = {
    ID_PAGE_HIDDEN_FILES,
    IDI_TAB_HIDDEN_FILES,
    "SortHidden",
    kColumnTitles,
    5,
    kTexts,
    static_cast<int>(std::size(kTexts)),
    IDC_HIDDEN_HEADER2,
    {IDC_PAGE_LIST, IDC_PAGE_ICON, IDC_HIDDEN_HEADER, IDC_HELP_PICTURE, IDC_HELP_LABEL,
     IDC_MONITOR_PICTURE, IDC_MONITOR_LABEL, 0,
     {IDC_PAGE_INFO, IDC_PAGE_REFRESH, IDC_PAGE_KILL, IDC_PAGE_CLOSE, 0},
     {0, 0, 0, 0, 0},
     4},
    nullptr,
    0,
    924,
    kOptHidden,
    ID_PAGE_HIDDEN_FILES,
    kMenu,
    static_cast<int>(std::size(kMenu)),
    false,
    HiddenFill,
    HiddenSortKey,
    HiddenCommand,
    nullptr,
};

}  // namespace

INT_PTR CALLBACK HiddenFilesPageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return CategoryPageProc(g_hiddenPage, kHiddenTraits, window, message, wParam, lParam);
}
