// The Startup Programs page's context menu on a row.
#include "foundation/strings.h"
#include "foundation/trace.h"
#include "page_startup.h"
#include "foundation/paths.h"
#include "records/note_file.h"
#include "resource.h"
#include "startup/locations.h"
#include "startup/startup_points.h"
#include "startup/startup_tasks.h"

namespace {

constexpr int kMenuTextSize = 256;

struct MenuItem {
  int string;
  int command;
};

void StartupMenuAdd(HMENU menu, const MenuItem& item) {
  if (item.string == 0) {
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    return;
  }
  char text[kMenuTextSize] = "";
  LocalString(item.string, text, sizeof text);
  AppendMenuA(menu, MF_STRING, static_cast<UINT_PTR>(item.command), text);
}

void StartupMenuFill(HMENU menu, const ItemRow& row, bool disabled) {
  StartupMenuAdd(menu, {301, IDC_PAGE_INFO});
  StartupMenuAdd(menu, {1135, ID_MENU_EXPLORE_FOLDER});
  StartupMenuAdd(menu, {1136, ID_MENU_PROPERTIES});
  char note[kPathSize] = "";
  if (NoteFileFind(row.command.c_str(), note, sizeof note))
    StartupMenuAdd(menu, {971, ID_MENU_VIEW_NOTE});
  StartupMenuAdd(menu, {311, IDC_STARTUP_ADD});
  if (row.code < kLocationUserinit) {
    StartupMenuAdd(menu, {1116, ID_MENU_DELAY});
    StartupMenuAdd(menu, {0, 0});
    StartupMenuAdd(menu, {302, IDC_STARTUP_REMOVE});
    StartupMenuAdd(menu, disabled ? MenuItem{632, IDC_STARTUP_ENABLE}
                                  : MenuItem{633, IDC_STARTUP_DISABLE});
    StartupMenuAdd(menu, {801, ID_MENU_DELETE_ON_REBOOT});
  } else if (StartupPointCode(row.code)) {
    StartupMenuAdd(menu, {0, 0});
    StartupMenuAdd(menu, {302, IDC_STARTUP_REMOVE});
  } else if (StartupTaskRow(row.code)) {
    StartupMenuAdd(menu, {0, 0});
    StartupMenuAdd(menu, {302, IDC_STARTUP_REMOVE});
    if (!disabled) StartupMenuAdd(menu, {633, IDC_STARTUP_DISABLE});
  }
  StartupMenuAdd(menu, {0, 0});
  StartupMenuAdd(menu, {641, ID_MENU_VELT_INFO});
  StartupMenuAdd(menu, {310, ID_MENU_LOG});
  StartupMenuAdd(menu, {31, IDC_HELP_PICTURE});
}

}  // namespace

void StartupContextMenu(StartupPage& page, POINT at) {
  const int entry = ListPageSelectedEntry(page.list);
  if (entry < 0 || static_cast<std::size_t>(entry) >= page.rows.size()) return;
  HMENU menu = CreatePopupMenu();
  if (menu == nullptr) {
    TraceNote("startup page", "no context menu");
    return;
  }
  StartupMenuFill(menu, page.rows[static_cast<std::size_t>(entry)],
                  page.list.rows[static_cast<std::size_t>(entry)].disabled);
  SetForegroundWindow(page.window);
  TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_RIGHTBUTTON, at.x, at.y, 0, page.window, nullptr);
  PostMessageA(page.window, WM_NULL, 0, 0);
  DestroyMenu(menu);
}
