// Dialog 141: every line of the history log, with Restore for the actions that can be taken
// back and Clear File.
#pragma once
#include <windows.h>

void HistoryDialog(HWND owner);
