#include <windows.h>

#include "categories/hidden_files.h"
#include "foundation/handles.h"
#include "foundation/settings.h"
#include "records/known_items.h"
#include "startup/item_list.h"
#include "startup/snapshot.h"

namespace {

void HiddenRecordList() {
  char path[kItemCommandSize];
  const int count = ItemCount();
  for (int i = 0; i < count; ++i)
    if (ItemCommand(i, path) > 0) HiddenRemember(path);
}

}  // namespace

// Run at every monitor start; the known-entry stores are rebuilt with the first snapshot.
void BuildHiddenSnapshot() {
  if (!KnownItemsStart(kHiddenSnapshotKey)) return;
  SettingsCreateKey(HKEY_CURRENT_USER, kDetectedKey);
  RebuildKnownEntries();
  SettingsWriteString(HKEY_CURRENT_USER, kHiddenSnapshotKey, "", "P");
  EnumerateHiddenFiles();
  HiddenRecordList();
  ItemListClear();
}
