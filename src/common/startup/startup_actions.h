// What can be done to a startup entry: disable, enable, remove, restore.
#pragma once
#include <windows.h>

// Asks before a protected entry (codes 252-255) is deleted; true confirms. The explorer
// installs its warning dialog here.
using ProtectedEntryQuestion = bool (*)(HWND owner, const char* title, const char* command);
extern ProtectedEntryQuestion g_protectedEntryQuestion;
// Set by the monitor: there the question is string 1013, asked only while HideStartup is 0.
// With neither this nor a question installed, protected entries are not deleted.
extern bool g_startupActionsAskFirst;
// Owner of that question when RemoveStartupEntry hands an entry on (the monitor's window).
extern HWND g_startupActionsOwner;

int ToggleStartupEntry(const char* title, const char* command, const char* key, int code);
int RemoveStartupEntry(const char* title, const char* command, const char* key, int code);
int RemoveProtectedEntry(HWND window, const char* title, const char* command, const char* key,
                         int code);
int RestoreStartupEntry(const char* title, const char* command, const char* key, int code);
void ResetWinlogonShell();
void ResetWinlogonUserinit();
// Remove: 1 when the item was taken out. Append: 1 when the list holds the item afterwards
// (added, or there already). A list that cannot be read whole is left as it is.
int WinIniRemove(const char* keyName, const char* item);
int WinIniAppend(const char* keyName, const char* item);
int AppInitRemove(const char* dll);
int AppInitAppend(const char* dll);
// 1 when the DLL name was set aside (disable) or the package names its DLL again (enable).
int NotifyDisable(const char* package);
int NotifyEnable(const char* package);
