// The steps the sweep cycle is made of; shared by the sweep's own files only.
#pragma once

inline constexpr int kTicksPerCycle = 17;

// Visits the categories of the current half whose countdown runs out.
void SweepVisitHalf();
// After a change of the running programs: the realtime categories become due at once.
void SweepRealtimeForward();
// The realtime notification's part of a tick; hold is the express-boot ticks left.
void SweepRealtimeTick(int hold);

void SweepStartupCheck();
void SweepPagesCheck();
void SweepRestartCommandsCheck();

// The watched categories' checks: each asks about what it has not seen approved.
int CheckIEHelpers();
void CheckServices();
void CheckScheduledTasks();
void CheckFileTypes();
