// The Startup Programs page: what its dialog procedure and its actions share.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "list_page.h"
#include "startup/item_list.h"

struct StartupPage {
  HWND window = nullptr;
  ListPage list;
  // The entries the list was filled from, by entry index: every action works on these, so a
  // row is always the entry it shows, whatever the shared item list holds by then.
  std::vector<ItemRow> rows;
  std::vector<std::string> disabledTitles;
  HFONT boldFont = nullptr;
  bool selectionPending = false;
};

extern StartupPage g_startupPage;

// Rebuilds the entries and the list; the first row is selected when select is set, else the
// entries that were selected stay selected where they still are.
int StartupPageFill(StartupPage& page, bool select);
void StartupPageSelectionChanged(StartupPage& page);
// The entries of the selected rows, in row order; empty after telling the user (string 57).
std::vector<ItemRow> StartupPageSelection(StartupPage& page);

// The page's commands; each refills the list when it changed the startup entries.
void StartupInfo(StartupPage& page);
void StartupOnlineInfo(StartupPage& page);
void StartupAdd(StartupPage& page);
void StartupRemove(StartupPage& page);
void StartupToggle(StartupPage& page, bool enable);
void StartupDelay(StartupPage& page);
void StartupDeleteOnReboot(StartupPage& page);
void StartupExploreFolder(StartupPage& page);
void StartupProperties(StartupPage& page);
void StartupViewNote(StartupPage& page);
void StartupSweepTime(StartupPage& page);
void StartupShowMonitorPicture(StartupPage& page);
void StartupContextMenu(StartupPage& page, POINT at);
