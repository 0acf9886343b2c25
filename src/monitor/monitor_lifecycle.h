// The monitor's start-up step (tray icon and timer) and its exit path.
#pragma once

void MonitorStartupStep();
// Handles an exit request; false when the user declined it and the monitor keeps running.
// During a sweep cycle the exit waits for the cycle: open questions close unanswered and
// MonitorExitIfPending ends the monitor once the cycle is over.
bool MonitorExitRequest();
void MonitorExitIfPending();
void MonitorShutdown();
