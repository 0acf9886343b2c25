#include "sweep.h"

SweepState g_sweep = {};

namespace {

inline constexpr int kTicksPerCycle = 17;

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
  const int hold = SweepTakeHold();
  if (g_sweep.tickCounter++ >= kTicksPerCycle - 1) {
    // While held the counter keeps growing, so the cycle runs on the first free tick.
    if (hold > 0) return;
    // The sweep cycle over the watched categories is called here once they exist.
    SweepCycleDone();
    return;
  }
  if (g_sweep.realtimePending) {
    if (g_sweep.alertShowing || g_sweep.inCycle || hold > 0) return;
    g_sweep.realtimePending = false;
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
