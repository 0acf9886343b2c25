// The tabbed window: one property sheet, a page per category. What every page calls from
// its dialog procedure to follow the common page life cycle.
#pragma once
#include <windows.h>

// Opens the sheet at the page of pageCommand, or raises it when it is open already.
// Returns when the sheet has closed.
void OpenTabbedWindow(HWND frame, int pageCommand);
bool TabbedWindowOpen();

// Page initialisation (WM_INITDIALOG): makes pageCommand the current one, restores the
// sheet's placement and, the first time, makes the sheet resizable and adds the status bar.
void SheetPageInit(HWND page, int pageCommand);
// Activation (PSN_SETACTIVE) and deactivation (PSN_KILLACTIVE): the sheet's own fix-ups,
// the picture buttons of the page, the status text.
void CreateActivePage(HWND page);
void CleanupActivePage(HWND page);
// The page's own Close button, or its WM_DESTROY: ends the explorer.
void SheetPageClosed(HWND page);

HWND SheetWindow();
HWND ActivePage();
// 1 or 2: how many rows the tabs take, which the page layout depends on.
int SheetTabRows();
void SetStatusText(const char* text);
