// Dialog 109: a text file shown read-only with its path, centred on the screen.
#pragma once
#include <windows.h>

// Shows at most the first 16,384 characters of the file under the caption string.
void TextViewerShow(HWND owner, const char* path, int captionString);
