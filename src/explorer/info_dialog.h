// Dialog 121: what the machine can tell about one entry of a page's list, its running state,
// its service start type and the user's note about it; steps through the page's entries.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "startup/item_list.h"

struct InfoDialogState {
  std::vector<ItemRow> rows;
  int index = 0;
  bool expanded = false;
  bool noteExists = false;
  std::string notePath;
  int startType = -1;  // the service's start type as the box shows it (0-2), or -1
  HFONT bold = nullptr;
};

// Opens the dialog on rows[index]; returns the index of the entry it closed on.
int ShowInfoDialog(HWND owner, const std::vector<ItemRow>& rows, int index);

// Showing the current entry (info_dialog_show.cpp).
void InfoShowEntry(HWND dialog, InfoDialogState& state);
void InfoApplyExpansion(HWND dialog, const InfoDialogState& state);
bool InfoIsService(int code);
