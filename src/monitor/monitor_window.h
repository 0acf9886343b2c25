// The monitor's one hidden top-level window and its window procedure.
#pragma once
#include <windows.h>

// Registers the class and creates the hidden window into g_monitor.window; false on failure.
bool MonitorWindowCreate(HINSTANCE instance);
