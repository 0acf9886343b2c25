// The monitor's start-up step (tray icon and timer) and its exit path.
#pragma once

void MonitorStartupStep();
// Handles an exit request; false when the user declined it and the monitor keeps running.
bool MonitorExitRequest();
void MonitorShutdown();
