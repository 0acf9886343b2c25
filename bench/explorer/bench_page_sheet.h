// One explorer page in a modeless tabbed window of its own: PropertySheet builds the sheet and
// activates (and so fills) the page before it returns.
#pragma once
#include <windows.h>

HWND BenchPageOpen(int dialogId, DLGPROC proc);
// The page's list; null when the sheet or the page is missing.
HWND BenchPageList(HWND sheet);
int BenchPageRows(HWND sheet);
// Destroys the sheet and lets its windows' messages run out.
void BenchPageClose(HWND sheet);
