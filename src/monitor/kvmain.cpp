#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include "alerts.h"
#include "explorer_launch.h"
#include "foundation/msgbox.h"
#include "foundation/paths.h"
#include "foundation/trace.h"
#include "monitor.h"
#include "monitor_init.h"
#include "monitor_window.h"
#include "resource.h"
#include "sweep.h"
#include "tarvex.h"
#include "text.h"

namespace {

inline constexpr char kTraceFileName[] = "\\send2ts.txt";

bool MonitorLoadNames(HINSTANCE instance) {
  if (LoadStringA(instance, IDS_CLASS_NAME, g_monitor.className, kMonitorNameSize) == 0 ||
      LoadStringA(instance, IDS_CAPTION, g_monitor.caption, kMonitorNameSize) == 0)
    return false;
  MessageCaptionSet(g_monitor.caption);
  return true;
}

// A second start never makes a second window: it asks the first to exit or opens the explorer.
void MonitorForward(HWND running, const char* commandLine) {
  g_monitor.window = running;
  if (ContainsNoCase(commandLine, "-Q"))
    PostMessageA(running, WM_COMMAND, ID_CMD_CLOSE, 0);
  else if (!ContainsNoCase(commandLine, "-NoOpen"))
    StartExplorer("-START");
}

void MonitorSetTraceFile() {
  char path[kPathSize + sizeof kTraceFileName] = "";
  ProgramFolder(path, kPathSize);
  AppendBounded(path, sizeof path, kTraceFileName);
  TraceSetFile(path);
}

void MonitorPrepare(const char* commandLine) {
  ShowWindow(g_monitor.window, SW_HIDE);
  UpdateWindow(g_monitor.window);
  g_sweep.expressBoot = ContainsNoCase(commandLine, "-expressboot") ? kExpressBootTicks : 0;
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  InitCommonControls();
  MonitorSetTraceFile();
  MonitorTraceBegin();
  g_sweep.alertShowing = false;
  g_options.countdown[kOptWinInit] = 0;
}

void MonitorTraceStart() {
  TraceWrite("START", "From Initialize to Post");
  g_sweep.realtimePending = false;
  TarvexStart(g_monitor.window);
  TraceSpanEnd();
}

int MonitorMessageLoop() {
  MSG message = {};
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return static_cast<int>(message.wParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
  if (!MonitorLoadNames(instance)) return 0;
  if (HWND running = FindWindowA(g_monitor.className, nullptr)) {
    MonitorForward(running, commandLine);
    return 0;
  }
  if (ContainsNoCase(commandLine, "-Q")) return 0;
  if (!MonitorWindowCreate(instance) || !AlertCreateFonts()) return 0;
  MonitorPrepare(commandLine);
  MonitorInitialize();
  MonitorTraceStart();
  PostMessageA(g_monitor.window, WM_COMMAND, ID_CMD_STARTUP_STEP, 0);
  return MonitorMessageLoop();
}
