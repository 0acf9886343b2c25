// The ActiveX page: the controls Internet Explorer has used (or every registered one), and
// their kill bit.
#include <string>

#include "categories/activex.h"
#include "category_page.h"
#include "foundation/settings.h"
#include "foundation/strings.h"
#include "pages.h"
#include "resource.h"

namespace {

constexpr int kColumnTitles[] = {629, 628, 699, 714, 912, 1158};
constexpr int kTypeColumn = 3;
constexpr int kDetectedColumn = 4;
constexpr int kEnabledString = 1156;
constexpr int kDisabledString = 666;
constexpr int kDisableQuestionString = 1159;

constexpr CategoryText kTexts[] = {{1152, IDC_ACTIVEX_HEADER}, {632, IDC_PAGE_ENABLE},
                                   {633, IDC_PAGE_DISABLE}};
constexpr CategoryCheck kChecks[] = {{IDC_PAGE_CHECK, 1161, kOptHideMicrosoftActiveX},
                                     {IDC_PAGE_CHECK2, 1154, kOptActiveXListAll}};

CategoryPage g_activeXPage;

bool ActiveXKilled(const ItemRow& row) {
  return (static_cast<DWORD>(row.value) & kActiveXKillBit) != 0;
}

void ActiveXFill(CategoryPage& page) {
  const OptionRow& listAll = OptionRowFor(kOptActiveXListAll);
  if (OptionGet(listAll.name, listAll.explorerDefault) > 0)
    EnumerateAllActiveX();
  else
    EnumerateActiveX(0);
  page.rows = ItemRowsCopy();
  page.list.rows.resize(page.rows.size());
  char enabled[64] = "", disabled[64] = "";
  LocalString(kEnabledString, enabled, sizeof enabled);
  LocalString(kDisabledString, disabled, sizeof disabled);
  for (std::size_t i = 0; i < page.rows.size(); ++i) {
    const ItemRow& row = page.rows[i];
    ListRowView& view = page.list.rows[i];
    const ListFileFacts& facts = CategoryPageFacts(page, view, row, kActiveXDetectedCategory);
    view.cell[0] = row.title;
    view.cell[1] = CategoryCommandShown(row.command);
    view.late[2] = ListLate::Company;
    view.cell[kTypeColumn] = ActiveXKilled(row) ? disabled : enabled;
    view.cell[kDetectedColumn] = facts.firstDetected;
    view.cell[5] = row.key;
  }
}

SortKey ActiveXSortKey(const ListPage& list, int entry, int column) {
  if (column == kTypeColumn)
    return {ActiveXKilled(g_activeXPage.rows[static_cast<std::size_t>(entry)]) ? "Disabled" : "Enabled",
            false};
  if (column == kDetectedColumn) return ListPageDateKey(list, entry, column);
  return ListPageTextKey(list, entry, column);
}

void ActiveXSetKillBit(CategoryPage& page, bool kill) {
  const std::vector<ItemRow> rows = CategoryPageSelection(page);
  if (rows.empty()) return;
  for (const ItemRow& row : rows) {
    if (!kill) {
      EnableActiveX(row.key.c_str());
      continue;
    }
    if (CategoryAsk(page.window, kDisableQuestionString, nullptr, MB_ICONEXCLAMATION))
      KillActiveX(row.key.c_str());
  }
  CategoryPageFill(page);
}

bool ActiveXCommand(CategoryPage& page, int command) {
  switch (command) {
    case IDC_PAGE_ENABLE: ActiveXSetKillBit(page, false); return true;
    case IDC_PAGE_DISABLE: ActiveXSetKillBit(page, true); return true;
    default: return false;
  }
}

// A disabled control offers Enable, an enabled one Disable; nothing selected offers neither.
void ActiveXSelection(CategoryPage& page, const ItemRow* row) {
  const bool killed = row != nullptr && ActiveXKilled(*row);
  ShowWindow(GetDlgItem(page.window, IDC_PAGE_ENABLE), row && killed ? SW_SHOW : SW_HIDE);
  ShowWindow(GetDlgItem(page.window, IDC_PAGE_DISABLE), row && !killed ? SW_SHOW : SW_HIDE);
}

const CategoryPageTraits kActiveXTraits = {
    ID_PAGE_ACTIVEX,
    IDI_TAB_ACTIVEX,
    "SortActiveX",
    kColumnTitles,
    6,
    kTexts,
    static_cast<int>(std::size(kTexts)),
    0,
    {IDC_PAGE_LIST, IDC_PAGE_ICON, IDC_ACTIVEX_HEADER, IDC_HELP_PICTURE, IDC_HELP_LABEL,
     IDC_MONITOR_PICTURE, IDC_MONITOR_LABEL, IDC_PAGE_CHECK,
     {IDC_PAGE_INFO, IDC_PAGE_ENABLE, IDC_PAGE_CLOSE, 0, 0},
     {0, IDC_PAGE_DISABLE, 0, 0, 0},
     3},
    kChecks,
    static_cast<int>(std::size(kChecks)),
    1157,
    kOptActiveX,
    ID_PAGE_ACTIVEX,
    nullptr,
    0,
    false,
    ActiveXFill,
    ActiveXSortKey,
    ActiveXCommand,
    ActiveXSelection,
};

}  // namespace

INT_PTR CALLBACK ActiveXPageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return CategoryPageProc(g_activeXPage, kActiveXTraits, window, message, wParam, lParam);
}
