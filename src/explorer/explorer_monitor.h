// The explorer's view of the monitor: whether it runs, and starting it.
#pragma once

// True while a window of the monitor's class exists.
bool MonitorRunning();
// Starts <program folder>\Korvane.exe by its full quoted path, shown normally.
bool StartMonitor();
