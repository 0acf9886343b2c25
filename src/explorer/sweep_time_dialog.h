// Dialog 160: how often the monitor checks a category, and whether it watches it in real
// time. The label string names the category.
#pragma once
#include <windows.h>

// The minutes chosen (0 switches the check off), or -1 when cancelled. The real-time choice
// is stored by the dialog itself.
int SweepTimeDialog(HWND owner, int labelString);
// Whether the category of the label is watched in real time now.
bool SweepTimeRealtime(int labelString);
