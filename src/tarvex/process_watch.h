// A background watcher that notices new processes by comparing the process-id list once a second.
#pragma once
#include <windows.h>

bool ProcessWatchStart(HWND target, UINT message);
void ProcessWatchStop();
