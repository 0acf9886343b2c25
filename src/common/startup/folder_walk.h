// Walks the entries of a folder (and its sub-folders down to a depth) for a handler.
#pragma once
#include <windows.h>

// Gets each entry's full path and attributes; a non-zero result stops the walk.
using FolderWalkHandler = int (*)(const char* path, DWORD attributes, void* context);

// depth 0 hands over the folder's own entries, 1 also those of its direct sub-folders.
// Folders whose name starts with '.' are passed over; other folders are handed over too.
// Returns non-zero when the handler stopped the walk.
int FolderWalk(const char* folder, int depth, FolderWalkHandler handler, void* context);
