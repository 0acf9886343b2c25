// The two dialogs of the Delayed Start page: the startup-program type of a program added by
// hand (dialog 199) and a record's delay options.
#pragma once
#include <windows.h>

enum class ProgramType { Cancelled, AllUsers, CurrentUser };
ProgramType AskProgramType(HWND owner);
// True when the options were applied to the program's record.
bool EditDelayOptions(HWND owner, const char* program);
