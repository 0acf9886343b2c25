// Dialog 194: the warning before an entry Windows itself relies on is removed. Only a ticked
// "I really know what I'm doing" box and OK confirm.
#pragma once
#include <windows.h>

bool ProtectedWarningAsk(HWND owner, const char* title, const char* command);
