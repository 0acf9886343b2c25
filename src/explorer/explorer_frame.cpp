#include "explorer_frame.h"

#include "categories/restart_viewer.h"
#include "explorer_art.h"
#include "explorer_monitor.h"
#include "explorer_options.h"
#include "options_store.h"
#include "foundation/options.h"
#include "foundation/settings.h"
#include "page_table.h"
#include "resource.h"
#include "sheet.h"
#include "startup/self_autostart.h"

namespace {

inline constexpr int kFirstFrameCommand = 6026;
inline constexpr int kLastFrameCommand = 6056;
inline constexpr int kFrameTop = -200;

HWND g_frame = nullptr;

// Ends the explorer: through the sheet when it is open, so its placement and page are kept.
void FrameEnd(HWND frame) {
  if (TabbedWindowOpen())
    TabbedWindowClose();
  else
    DestroyWindow(frame);
}

void FrameToggleAutostart() {
  if (SetSelfAutostart(!IsSelfAutostart())) g_selfAutostart = IsSelfAutostart() ? 1 : 0;
}

// The cookie viewer opens at once while ViewCookies is 1; the user's own value comes back
// when the sheet closes.
void FrameOpenCookieViewer(HWND frame) {
  int& viewCookies = g_explorerOptions.value[kOptViewCookies];
  const int kept = viewCookies;
  viewCookies = 1;
  OpenTabbedWindow(frame, ID_PAGE_COOKIES);
  viewCookies = kept;
}

void FrameExitRequest(HWND frame) {
  const OptionRow& row = OptionRowFor(kOptConfirmExit);
  const int confirm = OptionGet(row.name, row.explorerDefault);
  g_explorerOptions.value[kOptConfirmExit] = confirm;
  if (confirm == 0)
    FrameEnd(frame);
  else if (!MonitorRunning())
    StartMonitor();
  else
    OpenTabbedWindow(frame, ID_PAGE_STARTUP);
}

void FrameCommand(HWND frame, int command) {
  if (command < kFirstFrameCommand || command > kLastFrameCommand) return;
  switch (command) {
    case ID_CMD_CLOSE: FrameEnd(frame); break;
    case ID_CMD_TOGGLE_AUTOSTART: FrameToggleAutostart(); break;
    case ID_CMD_RESTART_COMMANDS: CheckWinInit(frame, 0); break;
    case ID_CMD_COOKIE_VIEWER: FrameOpenCookieViewer(frame); break;
    case ID_CMD_EXIT_REQUEST: FrameExitRequest(frame); break;
    default:
      if (IsPageCommand(command)) OpenTabbedWindow(frame, command);
      break;
  }
}

// Written through the store, which first takes over what pages and the monitor stored since
// the start: the options as loaded then would undo those changes.
void FrameDestroyed() {
  OptionsStoreWriteAll();
  ExplorerArtDelete();
  g_frame = nullptr;
  PostQuitMessage(0);
}

LRESULT CALLBACK FrameProc(HWND frame, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      ExplorerArtCreate();
      return 0;
    case WM_COMMAND:
      FrameCommand(frame, LOWORD(wParam));
      return 0;
    // Also from the taskbar button while the sheet is open: the sheet closes first.
    case WM_CLOSE:
      FrameEnd(frame);
      return 0;
    case WM_DESTROY:
      FrameDestroyed();
      return 0;
    default:
      return DefWindowProcA(frame, message, wParam, lParam);
  }
}

}  // namespace

bool ExplorerFrameRegister(HINSTANCE instance, const char* className) {
  WNDCLASSA frameClass = {};
  frameClass.style = CS_DBLCLKS;
  frameClass.lpfnWndProc = FrameProc;
  frameClass.hInstance = instance;
  frameClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_PROGRAM));
  frameClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  frameClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH));
  frameClass.lpszClassName = className;
  return RegisterClassA(&frameClass) != 0;
}

HWND ExplorerFrameCreate(HINSTANCE instance, const char* className, const char* caption) {
  g_frame = CreateWindowExA(WS_EX_APPWINDOW, className, caption,
                            WS_VISIBLE | WS_CAPTION | WS_SYSMENU, 0, kFrameTop, 0, 0, nullptr,
                            nullptr, instance, nullptr);
  return g_frame;
}

HWND ExplorerFrame() { return g_frame; }
