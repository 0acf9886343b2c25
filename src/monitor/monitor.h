// Process-wide state of the monitor: its window, names and loaded options.
// Only the monitor's one thread touches any of it.
#pragma once
#include <windows.h>

#include "foundation/options.h"

inline constexpr int kMonitorNameSize = 32;
inline constexpr UINT_PTR kMonitorTimerId = 1;
// One-shot: runs the checks a watched change brought forward.
inline constexpr UINT_PTR kMonitorChangeTimerId = 2;
inline constexpr UINT kMonitorTimerPeriodMs = 2000;
inline constexpr UINT kMonitorTrayMessage = 6035;
inline constexpr UINT kMonitorRealtimeMessage = 9024;

struct MonitorGlobals {
  HWND window;  // in a second start: the running monitor's window
  char className[kMonitorNameSize];
  char caption[kMonitorNameSize];
  UINT taskbarCreatedMessage;  // 0 until the start-up step registers it
  UINT_PTR timer;
};

extern MonitorGlobals g_monitor;
extern OptionsRecord g_options;

// Loads every option into g_options and hands the cookie limit to the item list.
void MonitorLoadOptions();
// The explorer marks every option write with Update = 1; reloads then and clears the mark.
void MonitorReloadIfUpdated();
