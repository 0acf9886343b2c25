#include "categories/active_tasks.h"
#include "foundation/trace.h"
#include "sweep.h"
#include "sweep_steps.h"

namespace {

inline constexpr int kRealtimeRepeatLimit = 3;
inline constexpr DWORD kConflictPauseMs = 50;

void SweepWatchTasks() {
  const int count = WatchTaskCount();
  if (count == g_sweep.taskCount) return;
  g_sweep.taskCount = count;
  SweepRealtimeForward();
}

}  // namespace

void SweepRealtimeTick(int hold) {
  if (g_sweep.alertShowing || g_sweep.inCycle || hold > 0) return;
  if (g_sweep.realtimeRepeat < kRealtimeRepeatLimit) {
    ++g_sweep.realtimeRepeat;
    SweepWatchTasks();
  } else {
    // Notifications on every tick mean something keeps poking us; skip one round.
    TraceWrite("RID", "Possible System Conflict");
    Sleep(kConflictPauseMs);
    g_sweep.realtimeRepeat = 0;
    TraceSpanEnd();
  }
  g_sweep.realtimePending = false;
}
