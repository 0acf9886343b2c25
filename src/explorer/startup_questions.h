// Every question the Startup page and the startup actions put to the user, in one place.
#pragma once
#include <windows.h>

// Makes the library ask through the explorer's own dialogs (the protected-entry warning).
void StartupQuestionsInstall(HWND owner);
// String 57 in a box of its own (caption string 31, question icon).
void StartupSayNoSelection(HWND owner);
// String 15 with the command: Yes removes.
bool StartupAskRemove(HWND owner, const char* command);
// String 800: Yes schedules the file's deletion.
bool StartupAskDeleteOnReboot(HWND owner);
// String 1120 (OK/Cancel) before a per-machine entry moves to the delayed-start list.
bool StartupAskDelayAllUsers(const char* title);
