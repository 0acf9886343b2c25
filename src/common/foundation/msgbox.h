// Message boxes: topmost, with the program's caption, in the chosen language.
#pragma once
#include <windows.h>

// Caption of every box; set once at start (string 2 in the monitor, 622 in the explorer).
void MessageCaptionSet(const char* caption);
const char* MessageCaption();
int ShowMessage(HWND owner, const char* text, UINT style);
// Loads the string by number and shows it.
int ShowStringMessage(HWND owner, int number, UINT style);
