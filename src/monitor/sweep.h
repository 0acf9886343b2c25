// The timer-driven sweep: its counters, the tick handler and the cycle.
#pragma once
#include <windows.h>

#include <bitset>

#include "foundation/options.h"
#include "foundation/user_hooks.h"

inline constexpr int kExpressBootTicks = 45;

struct SweepState {
  int tickCounter;
  int expressBoot;  // ticks left during which no cycle may start
  bool realtimePending;
  int realtimeRepeat;
  bool alertShowing;
  bool inCycle;
  bool exitPending;  // an exit came during the cycle: it ends the cycle, then the monitor
  bool settingsAsking;  // a guarded-setting question is open: its No approves the change
  DWORD lastCycleStart;
  DWORD lastChangedStart;  // of the last cycle a change brought forward
  int delayedTotal;
  int delayedLaunched;
  int delayedTicks;
  int delayedSlot;
  int cycleCounter;  // for the periodic tray icon refresh
  int taskCount;     // running programs at the last realtime check
  // Categories a watched change brought forward, by interval option, not checked since.
  std::bitset<kOptionCount> changed;
};

extern SweepState g_sweep;

// Called on every tick of timer 1.
void SweepTick();
// 1 after a cycle or when refused (one runs, or an alert is up); 0 after an early exit.
int SweepCycle();
// The same for a cycle of the categories a change brought forward: only those are visited,
// and the halves keep their turn.
int SweepChangedCycle();
// Forgets the delayed-start progress; total is the size of the freshly loaded list.
void SweepDelayedReset(int total);

// The monitor's questions the library puts through its user hooks.
bool SweepCookiesQuestion();
bool SweepSettingsAsk(GuardedSetting setting, const char* caption, const char* text);
// Puts the setting back through the explorer, started with administrator consent.
void SweepSettingsHandOver(GuardedSetting setting);
