#include "sweep.h"

#include "monitor_lifecycle.h"
#include "startup/delayed_start.h"
#include "sweep_changes.h"
#include "sweep_steps.h"

SweepState g_sweep = {};

namespace {

inline constexpr int kTicksPerDelayedSlot = 6;
inline constexpr int kSecondsPerDelayedSlot = 10;

void SweepDelayedStep() {
  if (g_sweep.delayedLaunched >= g_sweep.delayedTotal) return;
  if (g_sweep.delayedTicks++ < kTicksPerDelayedSlot - 1) return;
  ++g_sweep.delayedSlot;
  g_sweep.delayedLaunched = RunDelayedSlot(g_sweep.delayedSlot * kSecondsPerDelayedSlot);
  g_sweep.delayedTicks = 0;
}

int SweepTakeHold() {
  if (g_sweep.expressBoot > 0) --g_sweep.expressBoot;
  return g_sweep.expressBoot;
}

void SweepCycleDone() {
  g_sweep.tickCounter = 0;
  g_sweep.realtimePending = false;
  g_sweep.realtimeRepeat = 0;
}

}  // namespace

void SweepTick() {
  SweepDelayedStep();
  const int hold = SweepTakeHold();
  if (g_sweep.tickCounter++ >= kTicksPerCycle - 1) {
    // While held the counter keeps growing, so the cycle runs on the first free tick.
    if (hold > 0) return;
    SweepCycle();
    SweepCycleDone();
    MonitorExitIfPending();
    return;
  }
  // Changes the one-shot timer could not run (an alert was up, or the hold) run now.
  SweepChangeRun();
  if (g_sweep.realtimePending) {
    SweepRealtimeTick(hold);
    return;
  }
  g_sweep.realtimeRepeat = 0;
}

void SweepDelayedReset(int total) {
  g_sweep.delayedTotal = total;
  g_sweep.delayedLaunched = 0;
  g_sweep.delayedTicks = 0;
  g_sweep.delayedSlot = 0;
}
