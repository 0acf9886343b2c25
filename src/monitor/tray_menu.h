// The tray icon's popup menu of the explorer's pages.
#pragma once
#include <windows.h>

// Builds the menu, shows it at the point and lets a choice arrive as the item's command.
void TrayMenuShow(POINT at);
