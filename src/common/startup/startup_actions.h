// What can be done to a startup entry: disable, enable, remove, restore.
#pragma once
#include <windows.h>

int ToggleStartupEntry(const char* title, const char* command, const char* key, int code);
int RemoveStartupEntry(const char* title, const char* command, const char* key, int code);
int RemoveProtectedEntry(HWND window, const char* title, const char* command, const char* key,
                         int code);
int RestoreStartupEntry(const char* title, const char* command, const char* key, int code);
void ResetWinlogonShell();
void ResetWinlogonUserinit();
int WinIniRemove(const char* keyName, const char* item);
int WinIniAppend(const char* keyName, const char* item);
int AppInitRemove(const char* dll);
int AppInitAppend(const char* dll);
int NotifyDisable(const char* package);
int NotifyEnable(const char* package);
