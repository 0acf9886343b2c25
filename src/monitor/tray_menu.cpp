#include "tray_menu.h"

#include "foundation/platform.h"
#include "foundation/strings.h"
#include "foundation/trace.h"
#include "monitor.h"
#include "resource.h"
#include "startup/self_autostart.h"
#include "tray_icon.h"

namespace {

enum class TrayMenuShown { Always, NtOnly, Win9xOnly };

struct TrayMenuRow {
  int text;  // 0: a separator
  int command;
  TrayMenuShown shown;
};

inline constexpr TrayMenuRow kTrayMenuRows[] = {
    {IDS_MENU_ABOUT, ID_PAGE_VELT, TrayMenuShown::Always},
    {IDS_MENU_OPTIONS, ID_PAGE_OPTIONS, TrayMenuShown::Always},
    {0, 0, TrayMenuShown::Always},
    {IDS_MENU_STARTUP, ID_PAGE_STARTUP, TrayMenuShown::Always},
    {IDS_MENU_DELAYED, ID_PAGE_DELAYED, TrayMenuShown::Always},
    {IDS_MENU_IE_HELPERS, ID_PAGE_IE_HELPERS, TrayMenuShown::Always},
    {IDS_MENU_SERVICES, ID_PAGE_SERVICES, TrayMenuShown::NtOnly},
    {IDS_MENU_SCHEDULED_TASKS, ID_PAGE_SCHEDULED_TASKS, TrayMenuShown::Always},
    {IDS_MENU_ACTIVEX, ID_PAGE_ACTIVEX, TrayMenuShown::Always},
    {0, 0, TrayMenuShown::Always},
    {IDS_MENU_ACTIVE_TASKS, ID_PAGE_ACTIVE_TASKS, TrayMenuShown::Always},
    {IDS_MENU_COOKIES, ID_PAGE_COOKIES, TrayMenuShown::Always},
    {IDS_MENU_FILE_TYPES, ID_PAGE_FILE_TYPES, TrayMenuShown::Always},
    {IDS_MENU_HIDDEN_FILES, ID_PAGE_HIDDEN_FILES, TrayMenuShown::Always},
    {IDS_MENU_RESTART_COMMANDS, ID_CMD_RESTART_COMMANDS, TrayMenuShown::Win9xOnly},
    {0, 0, TrayMenuShown::Always},
    {IDS_MENU_EXIT, ID_CMD_CLOSE, TrayMenuShown::Always},
};

inline constexpr int kMenuTextSize = 128;

bool g_trayMenuBusy = false;

bool TrayMenuRowShown(const TrayMenuRow& row) {
  const bool nt = RunningWindowsVersion().platformId == VER_PLATFORM_WIN32_NT;
  if (row.shown == TrayMenuShown::NtOnly) return nt;
  if (row.shown == TrayMenuShown::Win9xOnly) return !nt;
  return true;
}

void TrayMenuFill(HMENU menu) {
  for (const TrayMenuRow& row : kTrayMenuRows) {
    if (!TrayMenuRowShown(row)) continue;
    if (row.text == 0) {
      AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
      continue;
    }
    char text[kMenuTextSize] = "";
    LocalString(row.text, text, sizeof text);
    AppendMenuA(menu, MF_STRING, static_cast<UINT_PTR>(row.command), text);
  }
}

void TrayDoubleClick() {
  TraceNote("Tray Action", "Double Click");
  SetForegroundWindow(g_monitor.window);
  PostMessageA(g_monitor.window, WM_COMMAND, ID_PAGE_STARTUP, 0);
}

}  // namespace

void TrayMenuShow(POINT at) {
  HMENU menu = CreatePopupMenu();
  if (menu == nullptr) return;
  TrayMenuFill(menu);
  SetForegroundWindow(g_monitor.window);
  TrackPopupMenu(menu, TPM_VERTICAL | TPM_LEFTALIGN | TPM_TOPALIGN, at.x, at.y, 0,
                 g_monitor.window, nullptr);
  // Without a message after it, the menu would not close when the user clicks elsewhere.
  PostMessageA(g_monitor.window, WM_NULL, 0, 0);
  DestroyMenu(menu);
}

void TrayNotify(WPARAM iconId, LPARAM mouseMessage) {
  // The menu's own message loop may deliver another notification while this one is handled;
  // with the icon switched off nothing can have been clicked.
  if (g_trayMenuBusy || g_options.value[kOptHideTobbit] == 1) return;
  g_trayMenuBusy = true;
  POINT at = {};
  GetCursorPos(&at);
  g_selfAutostart = IsSelfAutostart() ? 1 : 0;
  if (mouseMessage == WM_LBUTTONDBLCLK)
    TrayDoubleClick();
  else if (mouseMessage == WM_RBUTTONUP && iconId == kTrayIconId)
    TrayMenuShow(at);
  g_trayMenuBusy = false;
}

void TrayMenuBusyClear() { g_trayMenuBusy = false; }
