// Handing a file to the shell: its verbs ("open", "explore") and its properties dialog.
#pragma once
#include <windows.h>

// Nothing happens for an empty file; a refusal is noted in the trace.
void ShellVerbRun(HWND owner, const char* verb, const char* file, const char* parameters);
// The shell's properties dialog of the file, when the file exists.
void ShellShowProperties(HWND owner, const char* file);
