// Dialog 184: one localised text and an OK button, top-most, with the explorer's caption.
#pragma once
#include <windows.h>

void ShowMessageDialog(HWND owner, int stringId);
