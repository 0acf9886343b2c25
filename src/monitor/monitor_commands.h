// The commands the monitor's window accepts (WM_COMMAND, low word of the first parameter).
#pragma once
#include <windows.h>

void MonitorCommand(int id, LPARAM parameter);
