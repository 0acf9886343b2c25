// CPU time of another process. Wine keeps no running times for other processes (it reports
// fixed numbers), so there the host system's own account of the process is read instead.
#pragma once
#include <windows.h>

// Kernel plus user time of the process so far, in milliseconds; negative when unreadable.
// program names the process's file ("Korvane.exe") for finding it on the host.
double NotifyProcessCpuMs(HANDLE process, const char* program);
