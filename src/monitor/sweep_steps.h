// The steps the sweep cycle is made of; shared by the sweep's own files only.
#pragma once
#include <windows.h>

inline constexpr int kTicksPerCycle = 17;
inline constexpr DWORD kMinCycleGapMs = 1000;

// Visits the categories of the current half whose countdown runs out.
void SweepVisitHalf();
// Visits the categories a change brought forward, in table order.
void SweepVisitChanged();
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
void CheckHiddenFiles();
void CheckActiveX();
// Monitored system files, the restart-commands file and the guarded Windows settings.
void CheckSystemFiles();
bool CheckSystemFile(const char* name, const char* path);
int CheckWindowsSettings();
// The cookie steps: the IE filter, putting a filtered Mozilla file in place, the new-cookie
// question.
void FilterCookies();
void FilterMozillaCookies();
void CheckNewCookies();
// Set when an alert of the running cycle was answered "No to All": later questions of the
// cycle take No.
extern bool g_sweepNoToAll;
