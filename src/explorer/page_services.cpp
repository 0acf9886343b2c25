// The Services page: the services that run a program of their own or a DLL in svchost, with
// their state and start type. Stopping and start types are changed in the info dialog.
#include <string>

#include "categories/service_states.h"
#include "categories/services.h"
#include "category_page.h"
#include "pages.h"
#include "resource.h"

namespace {

constexpr int kColumnTitles[] = {627, 628, 699, 648, 651, 912};
constexpr int kDetectedColumn = 5;
constexpr char kDetectedCategory[] = "Services";
constexpr char kSvchostPrefix[] = "svchost.exe ";

constexpr CategoryText kTexts[] = {{638, IDC_SERVICES_HEADER}, {639, IDC_SERVICES_HEADER2}};
constexpr CategoryCheck kChecks[] = {{IDC_PAGE_CHECK, 721, kOptHideMicrosoftServices}};
constexpr CategoryMenuRow kMenu[] = {
    {301, IDC_PAGE_INFO, MenuShow::Always},
    {1135, ID_MENU_EXPLORE_FOLDER, MenuShow::Always},
    {1136, ID_MENU_PROPERTIES, MenuShow::Always},
    {971, ID_MENU_VIEW_NOTE, MenuShow::NoteExists},
};

CategoryPage g_servicesPage;

void ServicesFill(CategoryPage& page) {
  EnumerateServices(0);
  page.rows = ItemRowsCopy();
  page.list.rows.resize(page.rows.size());
  const ServiceStates states = ServiceStatesRead();
  for (std::size_t i = 0; i < page.rows.size(); ++i) {
    const ItemRow& row = page.rows[i];
    ListRowView& view = page.list.rows[i];
    const ListFileFacts& facts = CategoryPageFacts(page, view, row, kDetectedCategory);
    char state[kServiceStateTextSize] = "";
    ServiceStatesText(ServiceStatesFind(states, row.title.c_str()), state, sizeof state);
    view.cell[0] = row.title;
    view.cell[1] = (row.code == kServiceSvchostCode ? kSvchostPrefix : "") +
                   CategoryCommandShown(row.command);
    view.late[2] = ListLate::Company;
    view.cell[3] = state;
    view.cell[4] = row.key;
    view.cell[kDetectedColumn] = facts.firstDetected;
  }
}

SortKey ServicesSortKey(const ListPage& list, int entry, int column) {
  if (column == kDetectedColumn) return ListPageDateKey(list, entry, column);
  return ListPageTextKey(list, entry, column);
}

bool ServicesCommand(CategoryPage&, int) { return false; }

const CategoryPageTraits kServicesTraits = {
    ID_PAGE_SERVICES,
    IDI_TAB_SERVICES,
    "SortService",
    kColumnTitles,
    6,
    kTexts,
    static_cast<int>(std::size(kTexts)),
    IDC_SERVICES_HEADER2,
    {IDC_PAGE_LIST, IDC_PAGE_ICON, IDC_SERVICES_HEADER, IDC_HELP_PICTURE, IDC_HELP_LABEL,
     IDC_MONITOR_PICTURE, IDC_MONITOR_LABEL, IDC_PAGE_CHECK,
     {IDC_PAGE_INFO, IDC_PAGE_CLOSE, 0, 0, 0},
     {0, 0, 0, 0, 0},
     2},
    kChecks,
    static_cast<int>(std::size(kChecks)),
    957,
    kOptServices,
    ID_PAGE_SERVICES,
    kMenu,
    static_cast<int>(std::size(kMenu)),
    false,
    ServicesFill,
    ServicesSortKey,
    ServicesCommand,
    nullptr,
};

}  // namespace

INT_PTR CALLBACK ServicesPageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return CategoryPageProc(g_servicesPage, kServicesTraits, window, message, wParam, lParam);
}
