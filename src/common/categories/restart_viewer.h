// The restart-commands viewer (dialog 130) that both programs show: the commands wininit.ini
// holds for the next restart, with a button that deletes the file.
#pragma once
#include <windows.h>

// Shows the viewer when the restart program is there and the file holds commands; otherwise,
// unless quiet, says that there are none (string 59). 1 when commands are there.
int CheckWinInit(HWND owner, int quiet);
