// Startup-folder files as startup entries: shortcuts by their target, programs, other files.
#pragma once
#include <windows.h>

// The folder-walk handler that adds one startup-folder entry (location 200); never stops.
int StartupFolderEntry(const char* path, DWORD attributes, void* context);
// Adds every entry of the folder itself (no sub-folders).
void WalkStartupFolder(const char* folder);
