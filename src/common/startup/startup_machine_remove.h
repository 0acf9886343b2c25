// Removing a startup entry, or writing a removed one back, for the user who asked, whatever its
// place: a machine-wide entry (a Run value under HKLM, a machine row of the value places) is
// tried with this process's rights and, when that does nothing, handed to the elevated job;
// every other entry is done here.
// The history line and the snapshot are written in this process, and only once the removal is
// known to have happened.
#pragma once

// True for the places whose removal may need an administrator.
bool StartupMachineRemovable(int code);
// 1 when the entry is gone. A machine-wide entry that neither this process nor the job could
// remove gets one notice; its line is not written and the snapshot still lacks it, so the
// next check asks again.
int StartupMachineRemove(const char* title, const char* command, const char* key, int code);
// Writes a removed entry back as its history line names it, the same way round: a
// machine-wide entry this process may not write goes to the elevated job. 1 when it is back
// and known again.
int StartupMachineRestore(const char* title, const char* command, const char* key, int code);
