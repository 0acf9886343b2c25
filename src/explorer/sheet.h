// The tabbed window: one property sheet, a page per category. What every page calls from
// its dialog procedure to follow the common page life cycle.
#pragma once
#include <windows.h>

// Opens the sheet at the page of pageCommand, or raises it when it is open already.
// Returns when the sheet has closed.
// While open, a command for the Active Tasks page that shows already reaches that page as
// WM_COMMAND with ID_PAGE_ACTIVE_TASKS: it refills its list.
void OpenTabbedWindow(HWND frame, int pageCommand);
bool TabbedWindowOpen();
// Closes the open sheet as its Close button does; the explorer then ends.
void TabbedWindowClose();

// Page initialisation (WM_INITDIALOG): makes pageCommand the current one, restores the
// sheet's placement and, the first time, makes the sheet resizable and adds the status bar.
void SheetPageInit(HWND page, int pageCommand);
// Activation (PSN_SETACTIVE) and deactivation (PSN_KILLACTIVE): the sheet's own fix-ups,
// the picture buttons of the page, the status text. A click on the help picture (1077) or
// the monitor picture (1112) reaches the page as WM_COMMAND with the picture's id.
void CreateActivePage(HWND page);
void CleanupActivePage(HWND page);
// The page's own Close button, or its WM_DESTROY: ends the explorer.
void SheetPageClosed(HWND page);

HWND SheetWindow();
HWND ActivePage();
// 1 or 2: how many rows the tabs take, which the page layout depends on.
int SheetTabRows();
void SetStatusText(const char* text);
