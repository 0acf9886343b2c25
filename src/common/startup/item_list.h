// The one process-wide item list every enumeration fills.
#pragma once
#include <string>
#include <vector>

#include "item_codes.h"

// A bound against memory exhaustion, not a size any real listing reaches: a Run key flooded
// with thousands of values must not push the locations after it out of the list.
inline constexpr int kItemListMax = 65536;
inline constexpr int kItemTitleSize = 128;
inline constexpr int kItemCommandSize = 260;
inline constexpr int kItemKeySize = 260;
inline constexpr int kItemExtraSize = 1024;
inline constexpr int kDefaultCookieLimit = 315;

void ItemListClear();
int ItemAdd(const char* title, const char* command, const char* key, const char* extra, int code,
            int value);
// Most cookie items (code kItemCookieCode) the list takes; the programs set it from their
// loaded MaxCookie option.
void ItemListSetCookieLimit(int limit);
int ItemCount();
int ItemTitle(int index, char* out128);
int ItemCommand(int index, char* out260);
int ItemKey(int index, char* out260);
int ItemExtra(int index, char* out, int capacity);
int ItemCode(int index);
int ItemValue(int index);

// One item copied out of the list: what a caller keeps while the list is rebuilt under it
// (an alert answered later, a page acting on the row the user picked).
struct ItemRow {
  std::string title, command, key, extra;
  int code = 0, value = 0;
  int index = -1;  // its place in the list when copied
};
ItemRow ItemRowAt(int index);
// Every item, in list order.
std::vector<ItemRow> ItemRowsCopy();
// The row's command with each '=' read as ':': the name the startup snapshot gives it, and the
// form the file-type store and the IE helper removal match.
std::string ItemRowColonCommand(const ItemRow& row);
