#include "page_table.h"

#include "resource.h"

const PageRow kPageTable[kPageCount] = {
    {ID_PAGE_STARTUP, IDD_PAGE_STARTUP, IDI_TAB_STARTUP, 606, false},
    {ID_PAGE_DELAYED, IDD_PAGE_DELAYED, IDI_DELAYED, 609, false},
    {ID_PAGE_ACTIVEX, IDD_PAGE_ACTIVEX, IDI_TAB_ACTIVEX, 1155, false},
    {ID_PAGE_IE_HELPERS, IDD_PAGE_IE_HELPERS, IDI_TAB_IE_HELPERS, 694, false},
    {ID_PAGE_SCHEDULED_TASKS, IDD_PAGE_SCHEDULED_TASKS, IDI_TAB_SCHEDULED_TASKS, 680, false},
    {ID_PAGE_SERVICES, IDD_PAGE_SERVICES, IDI_TAB_SERVICES, 636, true},
    {ID_PAGE_ACTIVE_TASKS, IDD_PAGE_ACTIVE_TASKS, IDI_TAB_ACTIVE_TASKS, 607, false},
    {ID_PAGE_COOKIES, IDD_PAGE_COOKIES, IDI_TAB_COOKIES, 608, false},
    {ID_PAGE_FILE_TYPES, IDD_PAGE_FILE_TYPES, IDI_TAB_FILE_TYPES, 739, false},
    {ID_PAGE_HIDDEN_FILES, IDD_PAGE_HIDDEN_FILES, IDI_TAB_HIDDEN_FILES, 973, false},
    {ID_PAGE_VELT, IDD_PAGE_VELT, IDI_TAB_VELT, 611, false},
    {ID_PAGE_OPTIONS, IDD_PAGE_OPTIONS, IDI_TAB_OPTIONS, 610, false},
};

bool IsPageCommand(int command) {
  for (const PageRow& row : kPageTable)
    if (row.pageCommand == command) return true;
  return false;
}

std::vector<PageRow> PagesPresent(bool ntFamily) {
  std::vector<PageRow> rows;
  for (const PageRow& row : kPageTable)
    if (ntFamily || !row.ntOnly) rows.push_back(row);
  return rows;
}

std::size_t PageStartIndex(std::span<const PageRow> rows, int pageCommand) {
  for (std::size_t i = 0; i < rows.size(); ++i)
    if (rows[i].pageCommand == pageCommand) return i;
  return 0;
}
