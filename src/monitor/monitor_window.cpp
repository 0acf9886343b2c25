#include "monitor_window.h"

#include "change_watch.h"
#include "monitor.h"
#include "monitor_commands.h"
#include "monitor_lifecycle.h"
#include "resource.h"
#include "sweep.h"
#include "sweep_changes.h"
#include "tray_icon.h"

namespace {

// False only for an exit the user declined: that one must not reach the default procedure.
bool MonitorHandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND: MonitorCommand(LOWORD(wParam), lParam); return true;
    case WM_TIMER:
      if (wParam == kMonitorTimerId) SweepTick();
      if (wParam == kMonitorChangeTimerId) SweepChangeTimer();
      return true;
    case WM_CLOSE: DestroyWindow(window); return true;
    case WM_DESTROY: return MonitorExitRequest();
    case kMonitorTrayMessage: TrayNotify(wParam, lParam); return true;
    case kMonitorRealtimeMessage: g_sweep.realtimePending = true; return true;
    case kChangeMessage: SweepChangeNotified(static_cast<int>(wParam)); return true;
    case kChangeLostMessage: SweepChangeLost(wParam, lParam); return true;
    default: break;
  }
  if (message != 0 && message == g_monitor.taskbarCreatedMessage) TrayIconReAdd();
  return true;
}

LRESULT CALLBACK MonitorWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  try {
    if (!MonitorHandleMessage(window, message, wParam, lParam)) return 0;
  } catch (...) {
    return 0;
  }
  return IsWindow(window) ? DefWindowProcA(window, message, wParam, lParam) : 0;
}

bool MonitorWindowRegister(HINSTANCE instance) {
  WNDCLASSEXA windowClass = {};
  windowClass.cbSize = sizeof windowClass;
  windowClass.style = CS_DBLCLKS;
  windowClass.lpfnWndProc = MonitorWindowProc;
  windowClass.hInstance = instance;
  windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_PROGRAM));
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH));
  windowClass.lpszClassName = g_monitor.className;
  return RegisterClassExA(&windowClass) != 0;
}

}  // namespace

bool MonitorWindowCreate(HINSTANCE instance) {
  if (!MonitorWindowRegister(instance)) return false;
  g_monitor.window = CreateWindowExA(0, g_monitor.className, g_monitor.caption,
                                     WS_OVERLAPPEDWINDOW, 0, 0, 0, 0, nullptr, nullptr,
                                     instance, nullptr);
  return g_monitor.window != nullptr;
}
