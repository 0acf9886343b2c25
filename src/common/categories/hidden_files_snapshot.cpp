#include <windows.h>

#include "categories/hidden_files.h"
#include "foundation/handles.h"
#include "foundation/settings.h"
#include "startup/item_list.h"
#include "startup/snapshot.h"

namespace {

constexpr int kMarkerSize = 1024;

bool HiddenSnapshotMarked() {
  char marker[kMarkerSize] = "";
  SettingsReadString(HKEY_CURRENT_USER, kHiddenSnapshotKey, "", marker, kMarkerSize);
  return marker[0] == 'P';
}

bool HiddenDefaultPresent() {
  RegKey key;
  return key.Open(HKEY_CURRENT_USER, kHiddenSnapshotKey, KEY_QUERY_VALUE) &&
         RegQueryValueExA(key.get(), "", nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

void HiddenRecordList() {
  char path[kItemCommandSize];
  const int count = ItemCount();
  for (int i = 0; i < count; ++i)
    if (ItemCommand(i, path) > 0) HiddenRemember(path);
}

}  // namespace

// Run at every monitor start; the known-entry stores are rebuilt with the first snapshot.
void BuildHiddenSnapshot() {
  if (HiddenSnapshotMarked()) return;
  if (HiddenDefaultPresent()) SettingsDeleteKeyTree(HKEY_CURRENT_USER, kHiddenSnapshotKey);
  SettingsCreateKey(HKEY_CURRENT_USER, kHiddenSnapshotKey);
  SettingsCreateKey(HKEY_CURRENT_USER, kDetectedKey);
  RebuildKnownEntries();
  SettingsWriteString(HKEY_CURRENT_USER, kHiddenSnapshotKey, "", "P");
  EnumerateHiddenFiles();
  HiddenRecordList();
  ItemListClear();
}
