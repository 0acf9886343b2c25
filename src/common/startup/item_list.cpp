#include "startup/item_list.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "foundation/paths.h"
#include "foundation/strings.h"
#include "resource.h"
#include "startup_text.h"
#include "startup/own_entry.h"
#include "text.h"

namespace {

constexpr int kLongFormMinimum = 4;

// An item as ItemAdd bounds it, built in place before it is kept.
struct ListItem {
  char title[kItemTitleSize];
  char command[kItemCommandSize];
  char key[kItemKeySize];
  char extra[kItemExtraSize];
  int code;
  int value;
};

// What the list keeps: only the characters each field has, so that a key flooded with
// entries costs the memory of its texts, not of full-size slots.
struct KeptItem {
  std::string title, command, key, extra;
  int code;
  int value;
};

// Emptied lists above this size give their memory back.
constexpr std::size_t kKeptCapacity = 4096;

std::vector<KeptItem> g_items;
int g_cookieLimit = kDefaultCookieLimit;

const char* Text(const char* text) { return text ? text : ""; }

const KeptItem* ItemAt(int index) {
  return index >= 0 && index < ItemCount() ? &g_items[static_cast<std::size_t>(index)] : nullptr;
}

// The field's length; an unreachable item (null field) leaves an empty text.
int CopyOut(const std::string* field, char* out, int capacity) {
  if (out != nullptr && capacity > 0)
    CopyBounded(out, static_cast<std::size_t>(capacity), field ? field->c_str() : "");
  return field ? static_cast<int>(field->size()) : 0;
}

// Windows rewrites only the components that are short names, and every short name it makes
// carries a '~'; other texts come back unchanged, so the costly file-system walk is left out.
void StoreLongForm(const char* text, char* out, int capacity) {
  if (std::strchr(text, '~') != nullptr)
    LongPath(text, out, capacity);
  else
    CopyBounded(out, static_cast<std::size_t>(capacity), text);
}

// Quote-free command, in long form when long enough to name a file. True when it was.
bool StoreCommand(ListItem& item, const char* command) {
  char plain[kItemCommandSize];
  CopyBounded(plain, sizeof plain, Text(command));
  ReplaceChar(plain, '"', '\0');
  if (std::strlen(plain) < static_cast<std::size_t>(kLongFormMinimum)) {
    CopyBounded(item.command, sizeof item.command, plain);
    return false;
  }
  StoreLongForm(plain, item.command, sizeof item.command);
  return true;
}

void StoreKey(ListItem& item, const char* key, bool longForm) {
  char given[kItemKeySize];
  CopyBounded(given, sizeof given, Text(key));
  if (longForm)
    StoreLongForm(given, item.key, sizeof item.key);
  else
    CopyBounded(item.key, sizeof item.key, given);
}

void StoreTitle(ListItem& item, const char* title) {
  if (title == nullptr || title[0] == '\0') {
    CopyBounded(item.title, sizeof item.title, TitleFromCommand(item.command));
    return;
  }
  CopyBounded(item.title, sizeof item.title, title);
  if (ContainsNoCase(item.title, "Korvane") && OwnEntryCommand(item.command))
    LocalString(IDS_CLASS_NAME, item.title, sizeof item.title);
}

}  // namespace

void ItemListClear() {
  g_items.clear();
  if (g_items.capacity() > kKeptCapacity) g_items.shrink_to_fit();
}

void ItemListSetCookieLimit(int limit) { g_cookieLimit = limit; }

int ItemAdd(const char* title, const char* command, const char* key, const char* extra, int code,
            int value) {
  const int count = ItemCount();
  if (count >= kItemListMax) return 0;
  if (code == kItemCookieCode && count >= g_cookieLimit) return 0;
  std::unique_ptr<ListItem> item(new (std::nothrow) ListItem());
  if (!item) return 0;
  CopyBounded(item->extra, sizeof item->extra, Text(extra));
  const bool longForm = StoreCommand(*item, command);
  StoreKey(*item, key, longForm);
  StoreTitle(*item, title);
  try {
    g_items.push_back({item->title, item->command, item->key, item->extra, code, value});
  } catch (const std::bad_alloc&) {
    return 0;
  }
  return 1;
}

int ItemCount() { return static_cast<int>(g_items.size()); }

int ItemTitle(int index, char* out128) {
  const KeptItem* item = ItemAt(index);
  return CopyOut(item ? &item->title : nullptr, out128, kItemTitleSize);
}

int ItemCommand(int index, char* out260) {
  const KeptItem* item = ItemAt(index);
  return CopyOut(item ? &item->command : nullptr, out260, kItemCommandSize);
}

int ItemKey(int index, char* out260) {
  const KeptItem* item = ItemAt(index);
  return CopyOut(item ? &item->key : nullptr, out260, kItemKeySize);
}

int ItemExtra(int index, char* out, int capacity) {
  const KeptItem* item = ItemAt(index);
  return CopyOut(item ? &item->extra : nullptr, out, capacity);
}

int ItemCode(int index) {
  const KeptItem* item = ItemAt(index);
  return item ? item->code : 0;
}

int ItemValue(int index) {
  const KeptItem* item = ItemAt(index);
  return item ? item->value : 0;
}

ItemRow ItemRowAt(int index) {
  ItemRow row;
  const KeptItem* item = ItemAt(index);
  if (item == nullptr) return row;
  row.index = index;
  row.title = item->title;
  row.command = item->command;
  row.key = item->key;
  row.extra = item->extra;
  row.code = item->code;
  row.value = item->value;
  return row;
}

std::vector<ItemRow> ItemRowsCopy() {
  std::vector<ItemRow> rows;
  rows.reserve(g_items.size());
  for (int i = 0; i < ItemCount(); ++i) rows.push_back(ItemRowAt(i));
  return rows;
}

std::string ItemRowColonCommand(const ItemRow& row) {
  std::string command = row.command;
  std::replace(command.begin(), command.end(), '=', ':');
  return command;
}
