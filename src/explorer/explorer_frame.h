// The explorer's invisible frame window: owner of the tabbed window and target of the page
// commands a second start hands over.
#pragma once
#include <windows.h>

bool ExplorerFrameRegister(HINSTANCE instance, const char* className);
// Made visible but out of sight at (0, -200) with no size, so it owns a taskbar button.
HWND ExplorerFrameCreate(HINSTANCE instance, const char* className, const char* caption);
HWND ExplorerFrame();
