// Changes the watcher reports: the changed category's countdown is brought forward and its
// check runs as soon as the sweep's guards allow, through the same category steps.
#pragma once
#include <windows.h>

// A watched place of the category (its interval option) changed.
void SweepChangeNotified(int category);
// The one-shot timer that runs the checks brought forward.
void SweepChangeTimer();
// Runs the checks brought forward unless a guard holds them; a later tick tries again.
void SweepChangeRun();
// Schedules the run when checks are still waiting.
void SweepChangeAfterCycle();
// A place that is left to the timer, told in the trace.
void SweepChangeLost(WPARAM index, LPARAM generation);

// The watcher follows the loaded options: started at the start-up step, restarted when the
// set of categories with a nonzero interval changes, stopped at exit.
void SweepChangeWatchStart();
void SweepChangeWatchFollowOptions();
void SweepChangeWatchStop();
