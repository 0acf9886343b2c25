// Telling a running monitor to hide or show its tray icon (its window command 6053).
#pragma once

// False when no monitor runs or it did not take the command in time.
bool MonitorTrayVisibility(int hideTobbit);
