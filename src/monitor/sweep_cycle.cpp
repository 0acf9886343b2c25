#include <cstdio>

#include "categories/active_tasks.h"
#include "foundation/options.h"
#include "foundation/trace.h"
#include "monitor.h"
#include "categories/cookies_nuts.h"
#include "resource.h"
#include "startup/item_list.h"
#include "sweep.h"
#include "sweep_changes.h"
#include "sweep_steps.h"
#include "tray_icon.h"

namespace {

inline constexpr DWORD kLongCycleMs = 1000;
inline constexpr int kCyclesPerTrayRefresh = 62;
// Critical errors fail without system dialogs for the whole cycle (the value the monitor
// has always passed; only its lowest bit is a documented mode).
inline constexpr UINT kCycleErrorMode = 0x01F40001;

// A lost icon (the shell dropped it without telling) comes back within the hour.
void SweepTrayRefresh() {
  if (g_sweep.cycleCounter++ < kCyclesPerTrayRefresh - 1) return;
  TrayIconUpdate(kTrayDelete, IDI_PROGRAM, IDS_TRAY_IDLE);
  TrayIconReAdd();
  g_sweep.cycleCounter = 0;
}

enum class CycleKind { kTimer, kChanged };

// False when the cycle comes too soon after the last one. A cycle a change brought forward
// was timed when it was scheduled, and moves no reference of the timer's cycles: a change
// just before the timer's turn must not cost the timer its cycle.
bool SweepStartOnTime(CycleKind kind) {
  const DWORD now = GetTickCount();
  if (kind == CycleKind::kChanged) {
    g_sweep.lastChangedStart = now;
    return true;
  }
  const bool tooSoon = now - g_sweep.lastCycleStart < kMinCycleGapMs;
  g_sweep.lastCycleStart = now;
  if (!tooSoon) return true;
  g_sweep.inCycle = false;
  TraceWrite("VERIFY", "Exit Early because we recently did a verify");
  TraceSpanEnd();
  return false;
}

void SweepWindowsSettings() {
  TraceWrite("VERIFY", "Verify Automatica Updates");
  CheckWindowsSettings();
  TraceSpanEnd();
}

void SweepVisit(CycleKind kind) {
  if (kind == CycleKind::kChanged) {
    SweepVisitChanged();
    return;
  }
  SweepWindowsSettings();
  SweepVisitHalf();
}

void SweepClose(CycleKind kind) {
  if (g_sweep.realtimePending) RecordActiveTasks();
  // Emptied after the tasks are recorded too, so no cycle leaves items behind.
  if (ItemCount() > 0) ItemListClear();
  CookieListFree();
  if (kind == CycleKind::kTimer) g_options.secondHalf = !g_options.secondHalf;
  SetTrayStatus(TrayIconOption(), IDS_TRAY_IDLE);
}

void SweepTiming(CycleKind kind, DWORD start) {
  const DWORD end = GetTickCount();
  const DWORD took = end - start;
  if (took <= kLongCycleMs) {
    char note[64];
    std::snprintf(note, sizeof note, "KORVANEVELT10: Total Verify Time %lu, ",
                  static_cast<unsigned long>(took));
    TraceNote(note, "verify");
    return;
  }
  TraceWrite("CATCH", "MonitorTimer > 1000");
  TraceSpanEnd();
  (kind == CycleKind::kTimer ? g_sweep.lastCycleStart : g_sweep.lastChangedStart) = end;
}

int SweepCycleRun(CycleKind kind) {
  TraceWrite("VERIFY", "Enter Verify function");
  TraceSpanEnd();
  if (g_sweep.alertShowing || g_sweep.inCycle) return 1;
  g_traceUserWait = false;
  ItemListClear();
  g_sweep.inCycle = true;
  if (kind == CycleKind::kTimer) SweepTrayRefresh();
  if (!SweepStartOnTime(kind)) return 0;
  const DWORD start = GetTickCount();
  const UINT previousMode = SetErrorMode(kCycleErrorMode);
  SweepVisit(kind);
  SweepClose(kind);
  SweepTiming(kind, start);
  SetErrorMode(previousMode);
  g_sweep.inCycle = false;
  TraceWrite("VERIFY", "Exit Normal Verify");
  TraceSpanEnd();
  // Changes that came while this cycle ran (an alert waiting for the user) are not lost.
  SweepChangeAfterCycle();
  return 1;
}

}  // namespace

int SweepCycle() { return SweepCycleRun(CycleKind::kTimer); }

int SweepChangedCycle() { return SweepCycleRun(CycleKind::kChanged); }
