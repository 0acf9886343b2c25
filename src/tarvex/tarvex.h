// The realtime companion: tells the monitor's window when a new program has started.
// Bound by ordinal only (2 and 3); the names exist for the import library alone.
#pragma once
#include <windows.h>

// Posted to the watched window whenever a process appeared since the last look.
inline constexpr UINT kTarvexNewProcessMessage = 9024;

// Ordinal 2: starts watching for the window; 1 when started, 0 when already watching or failed.
extern "C" int WINAPI TarvexStart(HWND window);
// Ordinal 3: stops watching and waits for the watcher to end; always 1.
extern "C" int WINAPI TarvexStop();
