// The restart-commands file wininit.ini of the 9x family, and deleting a file at the next
// restart on either family.
#pragma once
#include <string>

// The folder that holds wininit.exe and wininit.ini: the Windows folder.
int RestartCommandsFolder(char* out, int capacity);
// The restart program is there, so the file is read at the next restart.
bool RestartCommandsWatched(const char* folder);
// wininit.ini is there and not empty.
bool RestartCommandsPresent(const char* folder);
// The file's first bytes as the viewer shows them.
std::string RestartCommandsText(const char* folder);
bool RestartCommandsDelete(const char* folder);

int ScheduleDeleteOnRestart(const char* path);
// The 9x way: a "NUL=" line for the file's short path in the given wininit.ini.
int AppendRestartDelete(const char* iniPath, const char* path);
