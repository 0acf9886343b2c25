// The commands every category page shares (Info, online information, help, sweep time,
// deleting at restart, the program's folder, properties and note) and its context menu.
#pragma once
#include <windows.h>

#include "category_page.h"

// True when the command was one of the shared ones.
bool CategoryCommonCommand(CategoryPage& page, int command);
void CategoryInfo(CategoryPage& page);
void CategoryContextMenu(CategoryPage& page, POINT at);
void CategorySayNoSelection(CategoryPage& page, int stringId);
void CategoryShowMonitorPicture(CategoryPage& page);
