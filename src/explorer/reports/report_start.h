// An explorer started under a file name that holds "hijack" (a copy renamed for a helper on a
// forum, say) writes the scan log before its window shows.
#pragma once
#include <windows.h>

// True when the running program's file name holds "hijack" in any case.
bool ReportStartedForScanLog();
// Writes and opens the scan log when the program was started so; a failure is told in a box.
void ReportScanLogAtStart(HWND owner);
