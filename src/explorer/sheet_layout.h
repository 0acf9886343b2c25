// The tabbed window's frame work: the handler that keeps its minimum size and lays it out
// after each size change, its status bar and its tab icons.
#pragma once
#include <windows.h>

#include <span>

#include "page_table.h"

// Called once, when the sheet's first page initialises. resizable (the NT family) adds the
// minimum size, the status bar, the tab icons and the layout; onDestroy runs while the
// sheet is being destroyed, its rectangle still readable.
bool SheetLayoutPrepare(HWND sheet, std::span<const PageRow> rows, bool resizable,
                        void (*onDestroy)(HWND sheet));
// The outer size the sheet must keep at least; zero before it is prepared.
SIZE SheetMinimumSize();
// Lays out the tabs, the status bar and the active page now and once more after the sheet
// has shown the page; the page gets the relayout request each time.
void SheetLayoutApply(HWND sheet, HWND activePage);
HWND SheetStatusBar();
int SheetLayoutTabRows();
