#include "startup/snapshot.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string_view>

#include "categories/ie_helpers.h"
#include "categories/scheduled_tasks.h"
#include "foundation/handles.h"
#include "foundation/settings.h"
#include "foundation/trace.h"
#include "records/known_items.h"
#include "startup/item_list.h"
#include "startup/locations.h"
#include "startup/startup_list.h"
#include "startup/snapshot_table.h"
#include "startup/value_table.h"
#include "text.h"

namespace {

constexpr const char* kSnapshotKeys[] = {kKnownStartupKey, kIEHelpersKey, kTasksKey};
constexpr char kRebuildNote[] = "InitRegStartups";
constexpr DWORD kSnapshotNumberBytes = 32;

int SnapshotLookupIn(HKEY key, const char* title, const char* command) {
  char name[kItemCommandSize];
  SnapshotName(command, name);
  const int byCommand = KnownItemQuery(key, name);
  if (byCommand != kSnapshotMissing && byCommand != 0) return byCommand;
  const int byTitle = KnownItemQuery(key, title ? title : "");
  return byTitle != kSnapshotMissing ? byTitle : byCommand;
}

// KnownItemQuery's answer from the snapshot read whole: data longer than the 32 bytes a
// query reads, or no text, counts as 0.
int SnapshotNumberIn(const ValueTable& snapshot, const char* name) {
  const TableValue* value = snapshot.Find(name);
  if (value == nullptr) return kSnapshotMissing;
  if (value->size > kSnapshotNumberBytes || (value->type != REG_SZ && value->type != REG_EXPAND_SZ))
    return 0;
  const std::string_view data(value->data);
  return ParseDecimal(data.substr(0, std::min(data.find('\0'), data.size())));
}

int SnapshotLookupInTable(const ValueTable& snapshot, const char* title, const char* command) {
  char name[kItemCommandSize];
  SnapshotName(command, name);
  const int byCommand = SnapshotNumberIn(snapshot, name);
  if (byCommand != kSnapshotMissing && byCommand != 0) return byCommand;
  const int byTitle = SnapshotNumberIn(snapshot, title ? title : "");
  return byTitle != kSnapshotMissing ? byTitle : byCommand;
}

// Writes every listed item as known: by snapshot name of the command, or by title.
void SnapshotRecordList(const char* subkey, bool byCommand) {
  RegKey key;
  if (!key.Create(HKEY_CURRENT_USER, subkey, KEY_SET_VALUE)) return;
  const int count = ItemCount();
  for (int i = 0; i < count; ++i) {
    char name[kItemCommandSize];
    if (byCommand) {
      char command[kItemCommandSize];
      ItemCommand(i, command);
      SnapshotName(command, name);
    } else {
      ItemTitle(i, name);
    }
    KnownItemWrite(key.get(), name, ItemCode(i));
  }
}

}  // namespace

int SnapshotName(const char* command, char* out260) {
  const int length =
      static_cast<int>(CopyBounded(out260, kItemCommandSize, command ? command : ""));
  ReplaceChar(out260, '=', ':');
  return length;
}

int SnapshotMarkKnown(const char* command, int code) {
  char name[kItemCommandSize];
  SnapshotName(command, name);
  char data[16];
  std::snprintf(data, sizeof data, "%d", code);
  return SettingsWriteString(HKEY_CURRENT_USER, kKnownStartupKey, name, data);
}

void SnapshotForget(const char* title, const char* command) {
  char name[kItemCommandSize];
  SnapshotName(command, name);
  RegKey key;
  if (!key.Open(HKEY_CURRENT_USER, kKnownStartupKey, KEY_SET_VALUE)) return;
  RegDeleteValueA(key.get(), name);
  if (command) RegDeleteValueA(key.get(), command);
  if (title) RegDeleteValueA(key.get(), title);
}

int SnapshotLookup(const char* title, const char* command) {
  RegKey key;
  key.Open(HKEY_CURRENT_USER, kKnownStartupKey, KEY_QUERY_VALUE);
  return SnapshotLookupIn(key.get(), title, command);
}

int StartupChanged() {
  BuildStartupList(0);
  // At most one read of the snapshot for the whole walk: this runs on every startup check
  // over up to 4096 items.
  const ValueTable& snapshot = SnapshotTable();
  const int count = ItemCount();
  for (int i = 0; i < count; ++i) {
    char title[kItemTitleSize];
    char command[kItemCommandSize];
    ItemTitle(i, title);
    ItemCommand(i, command);
    const int number = SnapshotLookupInTable(snapshot, title, command);
    if (number == kSnapshotMissing || number == 0 || number == kDelayedMarker) return 1;
  }
  return 0;
}

void RebuildKnownEntries() {
  TraceNote(kRebuildNote, "StarupList - korvane");
  BuildStartupList(0);
  SnapshotRecordList(kKnownStartupKey, true);
  ItemListClear();
  TraceNote(kRebuildNote, "IEHelperList - korvane");
  EnumerateIEHelpers();
  SnapshotRecordList(kIEHelpersKey, false);
  if (ItemCount() > 0) ItemListClear();
  TraceNote(kRebuildNote, "GetScheduledTasks - korvane");
  EnumerateScheduledTasks();
  SnapshotRecordList(kTasksKey, false);
  if (ItemCount() > 0) ItemListClear();
}

void ResetKnownEntries() {
  TraceNote("Cleanup Run Registry", "korvane");
  for (const char* subkey : kSnapshotKeys) {
    // Not a tree delete: a key that still has sub-keys stays as it is.
    RegDeleteKeyA(HKEY_CURRENT_USER, subkey);
    SettingsCreateKey(HKEY_CURRENT_USER, subkey);
  }
  RebuildKnownEntries();
}
