// The Delayed Start page: the programs the monitor starts itself a little after logon. Each
// row is acted on by its own record (program and code), never re-found by its title.
#include <string>

#include "add_program.h"
#include "categories/process_snapshot.h"
#include "category_page.h"
#include "category_page_commands.h"
#include "delay_time_text.h"
#include "delayed_dialogs.h"
#include "foundation/msgbox.h"
#include "foundation/paths.h"
#include "foundation/strings.h"
#include "foundation/trace.h"
#include "pages.h"
#include "resource.h"
#include "startup/delayed_records.h"
#include "startup/delayed_start.h"

namespace {

constexpr int kColumnTitles[] = {627, 628, 648, 1119};
constexpr int kStatusColumn = 2;
constexpr int kDelayColumn = 3;
constexpr int kRunningString = 655;
constexpr int kFileMissingString = 730;
constexpr int kMinutesString = 1121;
constexpr int kSecondsString = 1122;
constexpr int kRemoveQuestionString = 1134;

constexpr CategoryText kTexts[] = {
    {1100, IDC_DELAYED_HEADER}, {1133, IDC_DELAYED_HEADER2}, {1132, IDC_DELAYED_OPTIONS},
    {311, IDC_PAGE_ADD},        {302, IDC_PAGE_REMOVE},
};

constexpr CategoryMenuRow kMenu[] = {
    {301, IDC_PAGE_INFO, MenuShow::Always},
    {1135, ID_MENU_EXPLORE_FOLDER, MenuShow::Always},
    {1136, ID_MENU_PROPERTIES, MenuShow::Always},
    {311, IDC_PAGE_ADD, MenuShow::Always},
    {1117, ID_MENU_LAUNCH, MenuShow::Always},
    {1118, IDC_DELAYED_OPTIONS, MenuShow::Always},
    {0, 0, MenuShow::Separator},
    {302, IDC_PAGE_REMOVE, MenuShow::Always},
    {1124, ID_MENU_RESTORE_DELAYED, MenuShow::Always},
    {971, ID_MENU_VIEW_NOTE, MenuShow::NoteExists},
};

CategoryPage g_delayedPage;
// Per entry: whether its program runs, and its delay; what the status and delay columns sort by.
std::vector<std::pair<bool, int>> g_delayedFacts;

std::string DelayedString(int number) {
  char text[256] = "";
  LocalString(number, text, sizeof text);
  return text;
}

void DelayedFill(CategoryPage& page) {
  LoadDelayedList();
  page.rows = ItemRowsCopy();
  page.list.rows.resize(page.rows.size());
  g_delayedFacts.assign(page.rows.size(), {false, 0});
  const std::string runningText = DelayedString(kRunningString);
  const std::string missing = DelayedString(kFileMissingString);
  const std::string minutes = DelayedString(kMinutesString);
  const std::string seconds = DelayedString(kSecondsString);
  const ProcessSnapshot running = ProcessSnapshotRead();
  const DelayedTimes times = DelayedRecordTimes();
  for (std::size_t i = 0; i < page.rows.size(); ++i) {
    const ItemRow& row = page.rows[i];
    ListRowView& view = page.list.rows[i];
    const std::string& file = CategoryPageFacts(page, view, row, nullptr).program;
    const bool runs = !file.empty() && ProcessSnapshotFind(running, file.c_str()) != 0;
    const int delay = DelayedRecordTimesFind(times, row.command.c_str(), row.code);
    g_delayedFacts[i] = {runs, delay};
    view.cell[0] = row.title;
    view.cell[1] = CategoryCommandShown(row.command);
    view.cell[kStatusColumn] =
        runs ? runningText : (ListPageFileFound(page.list, view) ? "" : missing);
    view.cell[kDelayColumn] = DelayTimeText(delay, minutes, seconds);
  }
}

SortKey DelayedSortKey(const ListPage& list, int entry, int column) {
  const auto& facts = g_delayedFacts[static_cast<std::size_t>(entry)];
  if (column == kStatusColumn) return {facts.first ? "0" : "1", false};
  if (column == kDelayColumn) return {DelaySortKey(facts.second), false};
  return ListPageTextKey(list, entry, column);
}

void DelayedLaunch(CategoryPage& page) {
  const std::vector<ItemRow> rows = CategoryPageSelection(page);
  if (rows.empty()) return;
  for (const ItemRow& row : rows)
    if (DelayedLaunchNow(row.command.c_str(), row.code) != 0)
      TraceNote("delayed page", "the program could not be started");
  CategoryPageFill(page);
}

void DelayedAdd(CategoryPage& page) {
  char path[kPathSize] = "";
  if (!AddProgramChoose(page.window, path, sizeof path)) return;
  const ProgramType type = AskProgramType(page.window);
  if (type == ProgramType::Cancelled) return;
  if (!AddDelayedProgram(path, type == ProgramType::AllUsers))
    TraceNote("delayed page", "the program could not be added");
  CategoryPageFill(page);
}

void DelayedOptions(CategoryPage& page) {
  const int entry = CategoryPageSelectedEntry(page);
  if (entry < 0) return;
  EditDelayOptions(page.window, page.rows[static_cast<std::size_t>(entry)].command.c_str());
  CategoryPageFill(page);
}

// A record whose program cannot be put back keeps its record (and so stays listed).
void DelayedPutBack(const ItemRow& row, bool putBack) {
  if (!RestoreDelayed(row.title.c_str(), row.command.c_str(), row.key.c_str(), row.code, putBack))
    TraceNote("delayed page", "the program could not be put back into the startup list");
}

void DelayedRestore(CategoryPage& page) {
  const std::vector<ItemRow> rows = CategoryPageSelection(page);
  if (rows.empty()) return;
  for (const ItemRow& row : rows) DelayedPutBack(row, true);
  CategoryPageFill(page);
}

void DelayedRemove(CategoryPage& page) {
  const std::vector<ItemRow> rows = CategoryPageSelection(page);
  if (rows.empty()) return;
  for (const ItemRow& row : rows) {
    const int answer =
        ShowStringMessage(page.window, kRemoveQuestionString, MB_YESNOCANCEL | MB_ICONQUESTION);
    if (answer != IDYES && answer != IDNO) break;
    DelayedPutBack(row, answer == IDYES);
  }
  CategoryPageFill(page);
}

bool DelayedCommand(CategoryPage& page, int command) {
  switch (command) {
    case ID_MENU_LAUNCH: DelayedLaunch(page); return true;
    case IDC_PAGE_ADD: DelayedAdd(page); return true;
    case IDC_DELAYED_OPTIONS: DelayedOptions(page); return true;
    case ID_MENU_RESTORE_DELAYED: DelayedRestore(page); return true;
    case IDC_PAGE_REMOVE: DelayedRemove(page); return true;
    default: return false;
  }
}

const CategoryPageTraits kDelayedTraits = {
    ID_PAGE_DELAYED,
    IDI_DELAYED,
    "SortPrograms",
    kColumnTitles,
    4,
    kTexts,
    static_cast<int>(std::size(kTexts)),
    IDC_DELAYED_HEADER2,
    {IDC_PAGE_LIST, IDC_PAGE_ICON, IDC_DELAYED_HEADER, IDC_HELP_PICTURE, IDC_HELP_LABEL, 0, 0, 0,
     {IDC_PAGE_INFO, IDC_DELAYED_OPTIONS, IDC_PAGE_ADD, IDC_PAGE_REMOVE, IDC_PAGE_CLOSE},
     {0, 0, 0, 0, 0},
     5},
    nullptr,
    0,
    0,
    kOptStart,
    ID_PAGE_DELAYED,
    kMenu,
    static_cast<int>(std::size(kMenu)),
    false,
    DelayedFill,
    DelayedSortKey,
    DelayedCommand,
    nullptr,
};

}  // namespace

INT_PTR CALLBACK DelayedPageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return CategoryPageProc(g_delayedPage, kDelayedTraits, window, message, wParam, lParam);
}
