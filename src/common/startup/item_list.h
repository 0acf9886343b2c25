// The one process-wide item list every enumeration fills.
#pragma once

inline constexpr int kItemListMax = 4096;
inline constexpr int kItemTitleSize = 128;
inline constexpr int kItemCommandSize = 260;
inline constexpr int kItemKeySize = 260;
inline constexpr int kItemExtraSize = 1024;
inline constexpr int kItemCookieCode = 500;
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
