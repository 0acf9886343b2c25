#include "startup/snapshot.h"

#include <windows.h>

#include <cstdio>
#include <cstring>

#include "categories/ie_helpers.h"
#include "categories/scheduled_tasks.h"
#include "foundation/handles.h"
#include "foundation/settings.h"
#include "foundation/trace.h"
#include "pending.h"
#include "startup/item_list.h"
#include "startup/locations.h"
#include "startup/startup_list.h"
#include "text.h"

namespace {

constexpr char kIEHelpersKey[] = "Software\\Tamsel\\Korvane\\IEHelpers";
constexpr char kTasksKey[] = "Software\\Tamsel\\Korvane\\Tasks";
constexpr const char* kSnapshotKeys[] = {kKnownStartupKey, kIEHelpersKey, kTasksKey};
constexpr DWORD kNumberBytes = 32;
constexpr char kRebuildNote[] = "InitRegStartups";

// The number held by one snapshot value; a value that is there but unreadable, too long
// or not text reads as 0, so that it counts as new.
int SnapshotQuery(HKEY key, const char* name) {
  if (!key) return kSnapshotMissing;
  char data[kNumberBytes + 1] = {};
  DWORD type = REG_NONE;
  DWORD size = kNumberBytes;
  const LONG status =
      RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
  if (status == ERROR_FILE_NOT_FOUND) return kSnapshotMissing;
  if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return 0;
  return ParseDecimal(std::string_view(data, strnlen(data, size)));
}

int SnapshotLookupIn(HKEY key, const char* title, const char* command) {
  char name[kItemCommandSize];
  SnapshotName(command, name);
  const int byCommand = SnapshotQuery(key, name);
  if (byCommand != kSnapshotMissing && byCommand != 0) return byCommand;
  const int byTitle = SnapshotQuery(key, title ? title : "");
  return byTitle != kSnapshotMissing ? byTitle : byCommand;
}

void SnapshotWriteCode(HKEY key, const char* name, int code) {
  char data[16];
  std::snprintf(data, sizeof data, "%d", code);
  RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(data),
                 static_cast<DWORD>(std::strlen(data) + 1));
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
    SnapshotWriteCode(key.get(), name, ItemCode(i));
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
  // One handle for the whole walk: this runs on every startup check over up to 4096 items.
  RegKey key;
  key.Open(HKEY_CURRENT_USER, kKnownStartupKey, KEY_QUERY_VALUE);
  const int count = ItemCount();
  for (int i = 0; i < count; ++i) {
    char title[kItemTitleSize];
    char command[kItemCommandSize];
    ItemTitle(i, title);
    ItemCommand(i, command);
    const int number = SnapshotLookupIn(key.get(), title, command);
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
