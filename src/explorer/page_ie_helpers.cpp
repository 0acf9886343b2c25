// The IE Helpers page: browser helper objects, toolbars and extensions of Internet Explorer.
#include <string>

#include "categories/ie_helpers.h"
#include "categories/listed_removals.h"
#include "category_page.h"
#include "foundation/trace.h"
#include "pages.h"
#include "resource.h"

namespace {

constexpr int kColumnTitles[] = {681, 684, 699, 714, 912};
constexpr int kTypeColumn = 3;
constexpr int kDetectedColumn = 4;
constexpr int kRemoveQuestionString = 698;
constexpr char kDetectedCategory[] = "IEHelper";

constexpr CategoryText kTexts[] = {{695, IDC_IE_HEADER}, {696, IDC_IE_HEADER2}, {302, IDC_PAGE_REMOVE}};
constexpr CategoryMenuRow kMenu[] = {
    {301, IDC_PAGE_INFO, MenuShow::Always},
    {1135, ID_MENU_EXPLORE_FOLDER, MenuShow::Always},
    {1136, ID_MENU_PROPERTIES, MenuShow::Always},
    {971, ID_MENU_VIEW_NOTE, MenuShow::NoteExists},
    {302, IDC_PAGE_REMOVE, MenuShow::Always},
    {801, ID_MENU_DELETE_ON_REBOOT, MenuShow::Always},
};

CategoryPage g_ieHelpersPage;

const char* IEHelperTypeText(int code) {
  switch (code) {
    case kTypeBHO: return "BHO";
    case kTypeToolbar: return "TOOLBAR";
    case kTypeExtension: return "EXTENSION";
    default: return "";
  }
}

void IEHelpersFill(CategoryPage& page) {
  EnumerateIEHelpers();
  page.rows = ItemRowsCopy();
  page.list.rows.resize(page.rows.size());
  for (std::size_t i = 0; i < page.rows.size(); ++i) {
    const ItemRow& row = page.rows[i];
    ListRowView& view = page.list.rows[i];
    const ListFileFacts& facts = CategoryPageFacts(page, view, row, kDetectedCategory);
    view.cell[0] = row.title;
    view.cell[1] = CategoryCommandShown(row.command);
    view.late[2] = ListLate::Company;
    view.cell[kTypeColumn] = IEHelperTypeText(row.code);
    view.cell[kDetectedColumn] = facts.firstDetected;
  }
}

SortKey IEHelpersSortKey(const ListPage& list, int entry, int column) {
  if (column == kTypeColumn)
    return {std::to_string(g_ieHelpersPage.rows[static_cast<std::size_t>(entry)].code), false};
  if (column == kDetectedColumn) return ListPageDateKey(list, entry, column);
  return ListPageTextKey(list, entry, column);
}

void IEHelpersRemove(CategoryPage& page) {
  const int entry = CategoryPageSelectedEntry(page);
  if (entry < 0) return;
  const ItemRow row = page.rows[static_cast<std::size_t>(entry)];
  if (!CategoryAsk(page.window, kRemoveQuestionString, row.title.c_str(), MB_ICONEXCLAMATION))
    return;
  if (RemoveListedIEHelper(row.code, row.key.c_str(), row.command.c_str()) == 0)
    TraceNote("IE helpers page", "the add-on was not found to remove");
  CategoryPageFill(page);
}

bool IEHelpersCommand(CategoryPage& page, int command) {
  if (command != IDC_PAGE_REMOVE) return false;
  IEHelpersRemove(page);
  return true;
}

const CategoryPageTraits kIEHelpersTraits = {
    ID_PAGE_IE_HELPERS,
    IDI_TAB_IE_HELPERS,
    "SortIEHelper",
    kColumnTitles,
    5,
    kTexts,
    static_cast<int>(std::size(kTexts)),
    IDC_IE_HEADER2,
    {IDC_PAGE_LIST, IDC_PAGE_ICON, IDC_IE_HEADER, IDC_HELP_PICTURE, IDC_HELP_LABEL,
     IDC_MONITOR_PICTURE, IDC_MONITOR_LABEL, 0,
     {IDC_PAGE_INFO, IDC_PAGE_REMOVE, IDC_PAGE_CLOSE, 0, 0},
     {0, 0, 0, 0, 0},
     3},
    nullptr,
    0,
    785,
    kOptIEHelpers,
    ID_PAGE_IE_HELPERS,
    kMenu,
    static_cast<int>(std::size(kMenu)),
    false,
    IEHelpersFill,
    IEHelpersSortKey,
    IEHelpersCommand,
    nullptr,
};

}  // namespace

INT_PTR CALLBACK IEHelpersPageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return CategoryPageProc(g_ieHelpersPage, kIEHelpersTraits, window, message, wParam, lParam);
}
