#include "category_page_commands.h"

#include <shellapi.h>

#include <string>

#include "categories/system_files_restart.h"
#include "foundation/msgbox.h"
#include "foundation/paths.h"
#include "foundation/settings.h"
#include "foundation/strings.h"
#include "foundation/trace.h"
#include "info_dialog.h"
#include "lookup/info.h"
#include "paths_text.h"
#include "picture_buttons.h"
#include "records/note_store.h"
#include "reports/report_system.h"
#include "resource.h"
#include "sheet.h"
#include "shell_verbs.h"
#include "startup_questions.h"
#include "sweep_time_dialog.h"
#include "text.h"

namespace {

constexpr int kMenuTextSize = 256;
constexpr CategoryMenuRow kMenuEnd[] = {
    {0, 0, MenuShow::Separator},
    {641, ID_MENU_VELT_INFO, MenuShow::Always},
    {310, ID_MENU_LOG, MenuShow::Always},
    {31, IDC_HELP_PICTURE, MenuShow::Always},
};

std::string CategoryProgramFile(const ItemRow& row) {
  char file[kPathSize] = "";
  NormaliseCommand(row.command.c_str(), file, sizeof file);
  return file;
}

void CategoryOnlineInfo(CategoryPage& page) {
  const int entry = CategoryPageSelectedEntry(page);
  if (entry < 0) return;
  const ItemRow& row = page.rows[static_cast<std::size_t>(entry)];
  if (!ShowInfo(row.code, row.command.c_str(), row.title.c_str()))
    TraceNote("category page", "no information page could be opened");
}

void CategoryDeleteOnReboot(CategoryPage& page) {
  const int entry = CategoryPageSelectedEntry(page);
  if (entry < 0 || !StartupAskDeleteOnReboot(page.window)) return;
  const std::string file = CategoryProgramFile(page.rows[static_cast<std::size_t>(entry)]);
  if (file.empty() || !ScheduleDeleteOnRestart(file.c_str()))
    TraceNote("category page", "deletion at restart could not be scheduled");
  const int command = page.traits->pageCommand;
  if (command != ID_PAGE_IE_HELPERS && command != ID_PAGE_SCHEDULED_TASKS) CategoryPageFill(page);
}

void CategoryExploreFolder(CategoryPage& page) {
  const int entry = CategoryPageSelectedEntry(page);
  if (entry < 0) return;
  const std::string file = CategoryProgramFile(page.rows[static_cast<std::size_t>(entry)]);
  const std::size_t offset = FileNameOffset(file);
  if (offset > 0)
    ShellVerbRun(page.window, "explore", file.substr(0, offset - 1).c_str(), nullptr);
}

void CategoryProperties(CategoryPage& page) {
  const int entry = CategoryPageSelectedEntry(page);
  if (entry < 0) return;
  ShellShowProperties(page.window,
                      CategoryProgramFile(page.rows[static_cast<std::size_t>(entry)]).c_str());
}

void CategoryViewNote(CategoryPage& page) {
  const int entry = CategoryPageSelectedEntry(page);
  if (entry < 0) return;
  const ItemRow& row = page.rows[static_cast<std::size_t>(entry)];
  std::string note;
  if (NoteFind(row.command.c_str(), row.title.c_str(), note))
    ShellVerbRun(page.window, "open", note.c_str(), nullptr);
}

void CategorySweepTime(CategoryPage& page) {
  if (page.traits->sweepLabel == 0) return;
  const int minutes = SweepTimeDialog(page.window, page.traits->sweepLabel);
  if (minutes < 0) return;
  if (!OptionSet(OptionRowFor(page.traits->sweepOption).name, minutes))
    TraceNote("category page", "sweep time not stored");
  CategoryShowMonitorPicture(page);
}

void CategoryMenuAdd(HMENU menu, const CategoryMenuRow& item, const ItemRow& row) {
  if (item.show == MenuShow::Separator) {
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    return;
  }
  std::string note;
  if (item.show == MenuShow::NoteExists && !NoteFind(row.command.c_str(), row.title.c_str(), note))
    return;
  char text[kMenuTextSize] = "";
  LocalString(item.string, text, sizeof text);
  AppendMenuA(menu, MF_STRING, static_cast<UINT_PTR>(item.command), text);
}

}  // namespace

void CategorySayNoSelection(CategoryPage& page, int stringId) {
  if (stringId == IDS_NO_SELECTION) {
    StartupSayNoSelection(page.window);
    return;
  }
  ShowStringMessage(page.window, stringId, MB_OK | MB_ICONQUESTION);
}

// The dialog can stop, start and re-type what the page shows: the page is filled afresh after
// it, and the entry the dialog closed on is selected.
void CategoryInfo(CategoryPage& page) {
  const int entry = CategoryPageSelectedEntry(page);
  if (entry < 0) return;
  const int last = ShowInfoDialog(page.window, page.rows, entry);
  CategoryPageFill(page);
  const int row = ListPageRowOfEntry(page.list, last);
  if (row >= 0) ListPageSelectOnly(page.list, row);
}

void CategoryShowMonitorPicture(CategoryPage& page) {
  if (page.traits->sweepLabel == 0) return;
  const OptionRow& option = OptionRowFor(page.traits->sweepOption);
  PictureButtonSetMonitor(page.window, IDC_MONITOR_PICTURE,
                          OptionGet(option.name, option.explorerDefault) > 0,
                          SweepTimeRealtime(page.traits->sweepLabel));
}

bool CategoryCommonCommand(CategoryPage& page, int command) {
  switch (command) {
    case IDOK:
    case IDC_PAGE_INFO: CategoryInfo(page); return true;
    case ID_MENU_VELT_INFO: CategoryOnlineInfo(page); return true;
    case ID_MENU_LOG: WriteSystemReport(page.window); return true;
    case IDC_HELP_PICTURE:
      if (page.traits->helpPage) ShowHelp(page.traits->helpPage);
      return true;
    case IDC_MONITOR_PICTURE: CategorySweepTime(page); return true;
    case ID_MENU_DELETE_ON_REBOOT: CategoryDeleteOnReboot(page); return true;
    case ID_MENU_EXPLORE_FOLDER: CategoryExploreFolder(page); return true;
    case ID_MENU_PROPERTIES: CategoryProperties(page); return true;
    case ID_MENU_VIEW_NOTE: CategoryViewNote(page); return true;
    case IDC_PAGE_CLOSE: SheetPageClosed(page.window); return true;
    case IDCANCEL: return true;
    default: return false;
  }
}

void CategoryContextMenu(CategoryPage& page, POINT at) {
  const int entry = ListPageSelectedEntry(page.list);
  if (entry < 0 || static_cast<std::size_t>(entry) >= page.rows.size()) return;
  HMENU menu = CreatePopupMenu();
  if (menu == nullptr) {
    TraceNote("category page", "no context menu");
    return;
  }
  const ItemRow& row = page.rows[static_cast<std::size_t>(entry)];
  for (int i = 0; i < page.traits->menuCount; ++i) CategoryMenuAdd(menu, page.traits->menu[i], row);
  for (const CategoryMenuRow& item : kMenuEnd)
    if (page.traits->menuCount > 0 || item.show != MenuShow::Separator) CategoryMenuAdd(menu, item, row);
  SetForegroundWindow(page.window);
  TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_RIGHTBUTTON, at.x, at.y, 0, page.window, nullptr);
  PostMessageA(page.window, WM_NULL, 0, 0);
  DestroyMenu(menu);
}
