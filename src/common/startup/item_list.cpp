#include "startup/item_list.h"

// Filled in with the startup enumeration.
void ItemListClear() {}
int ItemAdd(const char*, const char*, const char*, const char*, int, int) { return 0; }
int ItemCount() { return 0; }
int ItemTitle(int, char* out) { return out[0] = '\0', 0; }
int ItemCommand(int, char* out) { return out[0] = '\0', 0; }
int ItemKey(int, char* out) { return out[0] = '\0', 0; }
int ItemExtra(int, char*, int) { return 0; }
int ItemCode(int) { return 0; }
int ItemValue(int) { return 0; }
