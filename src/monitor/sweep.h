// The timer-driven sweep: its counters and the tick handler.
#pragma once
#include <windows.h>

inline constexpr int kExpressBootTicks = 45;

struct SweepState {
  int tickCounter;
  int expressBoot;  // ticks left during which no cycle may start
  bool realtimePending;
  int realtimeRepeat;
  bool alertShowing;
  bool inCycle;
  DWORD lastCycleStart;
  int delayedTotal;
  int delayedLaunched;
  int delayedTicks;
  int delayedSlot;
};

extern SweepState g_sweep;

// Called on every tick of timer 1.
void SweepTick();
// Forgets the delayed-start progress; total is the size of the freshly loaded list.
void SweepDelayedReset(int total);
