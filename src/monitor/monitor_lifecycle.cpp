#include "monitor_lifecycle.h"

#include <windows.h>
#include <objbase.h>

#include "alerts.h"
#include "explorer_launch.h"
#include "foundation/msgbox.h"
#include "foundation/options.h"
#include "foundation/settings.h"
#include "foundation/trace.h"
#include "monitor.h"
#include "categories/cookies_nuts.h"
#include "startup/item_list.h"
#include "resource.h"
#include "sweep.h"
#include "sweep_changes.h"
#include "tarvex.h"
#include "tray_icon.h"

namespace {

bool MonitorExitConfirmed() {
  g_options.value[kOptConfirmExit] = OptionRead(kOptConfirmExit);
  if (g_options.value[kOptConfirmExit] == 0) return true;
  return ShowStringMessage(g_monitor.window, IDS_CONFIRM_EXIT,
                           MB_YESNO | MB_ICONQUESTION | MB_TOPMOST) != IDNO;
}

}  // namespace

void MonitorStartupStep() {
  TraceNote("Program Init1", "Add Tray Icon");
  g_monitor.taskbarCreatedMessage = RegisterWindowMessageA("TaskbarCreated");
  TrayMenuBusyClear();
  TrayIconReAdd();
  ItemListClear();
  g_sweep.realtimeRepeat = 0;
  AlertStartupRepeatClear();
  TraceNote("Application Start", "VerifyData");
  TraceNote("Application Start", "SetTimer");
  g_sweep.tickCounter = 0;
  g_monitor.timer = SetTimer(g_monitor.window, kMonitorTimerId, kMonitorTimerPeriodMs, nullptr);
  SweepChangeWatchStart();
}

bool MonitorExitRequest() {
  TraceNote("WM_DESTROY", "kvmain");
  if (g_sweep.exitPending) return true;
  if (!MonitorExitConfirmed()) {
    StartExplorerRestart();
    return false;
  }
  // Torn down now, the running cycle would go on with its lists, fonts and COM taken away.
  if (g_sweep.inCycle) {
    g_sweep.exitPending = true;
    AlertCloseOpen();
    return true;
  }
  MonitorShutdown();
  PostQuitMessage(0);
  return true;
}

void MonitorExitIfPending() {
  if (!g_sweep.exitPending) return;
  MonitorShutdown();
  PostQuitMessage(0);
}

void MonitorShutdown() {
  TarvexStop();
  SweepChangeWatchStop();
  TrayIconUpdate(kTrayDelete, 0, 0);
  if (g_monitor.timer != 0) KillTimer(g_monitor.window, kMonitorTimerId);
  g_monitor.timer = 0;
  TraceNote("Application Exit", g_monitor.className);
  ItemListClear();
  CookieListFree();
  AlertDeleteFonts();
  CoUninitialize();
}
