#include "sweep_changes.h"

#include <algorithm>
#include <string>

#include "change_places.h"
#include "change_watch.h"
#include "foundation/trace.h"
#include "monitor.h"
#include "sweep.h"
#include "sweep_steps.h"

namespace {

// Lets the other changes posted with this one arrive, so one run takes them all.
constexpr UINT kChangeGatherMs = 20;

bool g_watchWanted = false;
ChangeCategories g_watchedCategories;

void SweepChangeSchedule(UINT delayMs) {
  // Without the timer the next tick of the sweep's own timer runs the checks.
  SetTimer(g_monitor.window, kMonitorChangeTimerId, delayMs, nullptr);
}

void SweepChangeTraceLost(const std::string& place) {
  TraceWrite("WATCH", (place + " can not be watched: left to the timer").c_str());
  TraceSpanEnd();
}

}  // namespace

void SweepChangeNotified(int category) {
  if (category < 0 || category >= kOptionCount) return;
  // A category switched off stays off, whatever its places do.
  if (g_options.value[category] <= 0) return;
  g_options.countdown[category] = 1;
  g_sweep.changed.set(static_cast<std::size_t>(category));
  SweepChangeSchedule(kChangeGatherMs);
}

void SweepChangeTimer() {
  KillTimer(g_monitor.window, kMonitorChangeTimerId);
  SweepChangeRun();
}

void SweepChangeRun() {
  if (g_sweep.changed.none()) return;
  if (g_sweep.expressBoot > 0 || g_sweep.alertShowing || g_sweep.inCycle) return;
  const DWORD now = GetTickCount();
  const DWORD since = std::min(now - g_sweep.lastCycleStart, now - g_sweep.lastChangedStart);
  if (since < kMinCycleGapMs) {
    SweepChangeSchedule(kMinCycleGapMs - since);
    return;
  }
  SweepChangedCycle();
}

void SweepChangeAfterCycle() {
  if (g_sweep.changed.any()) SweepChangeSchedule(kMinCycleGapMs);
}

void SweepChangeLost(WPARAM index, LPARAM generation) {
  const std::string place = ChangeWatchLostText(index, generation);
  if (!place.empty()) SweepChangeTraceLost(place);
}

void SweepChangeWatchStart() {
  g_watchWanted = true;
  g_watchedCategories = ChangePlaceCategories(g_options);
  if (g_watchedCategories.none()) return;
  if (!ChangeWatchStart(g_monitor.window, ChangePlacesFor(g_options)))
    SweepChangeTraceLost("every place");
}

void SweepChangeWatchFollowOptions() {
  if (!g_watchWanted || ChangePlaceCategories(g_options) == g_watchedCategories) return;
  ChangeWatchStop();
  SweepChangeWatchStart();
}

void SweepChangeWatchStop() {
  g_watchWanted = false;
  ChangeWatchStop();
  KillTimer(g_monitor.window, kMonitorChangeTimerId);
}
