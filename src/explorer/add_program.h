// Adding a program to the per-user startup list by hand.
#pragma once
#include <windows.h>

// The open-file dialog (strings 902, 903); false when cancelled.
bool AddProgramChoose(HWND owner, char* path, int capacity);
// The Run value's name: the file description, else the product name, else the file name
// without its extension. Returns the length.
int AddProgramValueName(const char* path, char* out, int capacity);
// Writes the per-user Run value under a name no other value there has ("Name (2)" and so
// on; a value of that name already starting this very path is used as it is) and marks the
// path known, so the monitor raises no alert for it. 1 when written.
int AddProgramWrite(const char* path);
