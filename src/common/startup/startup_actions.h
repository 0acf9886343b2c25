// What can be done to a startup entry: disable, enable, remove, restore.
#pragma once
#include <windows.h>

int ToggleStartupEntry(const char* title, const char* command, const char* key, int code);
// Disables a live entry with its undo record and history line; 0 when it was disabled
// already or could not be. (ToggleStartupEntry alone leaves no trace in the history.)
int DisableStartupEntry(const char* title, const char* command, const char* key, int code);
// A live entry the user chose to disable: known only once it is disabled, so that an entry
// that could not be disabled is asked about again. 1 when it was disabled.
int DisableStartupEntryKnown(const char* title, const char* command, const char* key, int code);
// A protected entry (codes 252-255) goes only when the confirmProtectedRemoval hook agrees.
int RemoveStartupEntry(const char* title, const char* command, const char* key, int code);
// The two halves of RemoveStartupEntry for places outside the protected codes: the removal
// alone (what an elevated job may do), and its history line and snapshot, written by the
// user's own process once the removal is known to have happened.
int RemoveStartupEntryOnly(const char* title, const char* command, const char* key, int code);
void RemoveStartupEntryRecord(const char* title, const char* command, const char* key,
                              int code);
int RemoveProtectedEntry(const char* title, const char* command, const char* key, int code);
// The monitor's confirmProtectedRemoval hook: string 1013, asked only while the HideStartup
// option is 0; any other value confirms without asking.
bool ProtectedRemovalAskUnlessHidden(HWND owner, const char* title, const char* command);
int RestoreStartupEntry(const char* title, const char* command, const char* key, int code);
// Writes the entry back and nothing more: the elevated job's part, whose caller marks it known.
int RestoreStartupEntryOnly(const char* title, const char* command, const char* key, int code);
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
