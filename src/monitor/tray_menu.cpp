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
    {IDS_MENU_ABOUT, 6027, TrayMenuShown::Always},
    {IDS_MENU_OPTIONS, 6033, TrayMenuShown::Always},
    {0, 0, TrayMenuShown::Always},
    {IDS_MENU_STARTUP, 6026, TrayMenuShown::Always},
    {IDS_MENU_DELAYED, 6055, TrayMenuShown::Always},
    {IDS_MENU_IE_HELPERS, 6040, TrayMenuShown::Always},
    {IDS_MENU_SERVICES, 6038, TrayMenuShown::NtOnly},
    {IDS_MENU_SCHEDULED_TASKS, 6039, TrayMenuShown::Always},
    {IDS_MENU_ACTIVEX, 6056, TrayMenuShown::Always},
    {0, 0, TrayMenuShown::Always},
    {IDS_MENU_ACTIVE_TASKS, 6029, TrayMenuShown::Always},
    {IDS_MENU_COOKIES, 6028, TrayMenuShown::Always},
    {IDS_MENU_FILE_TYPES, 6042, TrayMenuShown::Always},
    {IDS_MENU_HIDDEN_FILES, 6052, TrayMenuShown::Always},
    {IDS_MENU_RESTART_COMMANDS, kCmdRestartCommands, TrayMenuShown::Win9xOnly},
    {0, 0, TrayMenuShown::Always},
    {IDS_MENU_EXIT, kCmdExit, TrayMenuShown::Always},
};

inline constexpr int kMenuTextSize = 128;
inline constexpr UINT kStartupPageCommand = 6026;

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
  PostMessageA(g_monitor.window, WM_COMMAND, kStartupPageCommand, 0);
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
