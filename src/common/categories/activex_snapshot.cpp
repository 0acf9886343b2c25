#include <windows.h>

#include "categories/activex.h"
#include "foundation/handles.h"
#include "foundation/settings.h"
#include "records/known_items.h"
#include "startup/item_list.h"

namespace {

constexpr int kMarkerSize = 1024;

bool ActiveXSnapshotMarked() {
  char marker[kMarkerSize] = "";
  SettingsReadString(HKEY_CURRENT_USER, kActiveXSnapshotKey, "", marker, kMarkerSize);
  return marker[0] == 'P';
}

bool ActiveXDefaultPresent() {
  RegKey key;
  return key.Open(HKEY_CURRENT_USER, kActiveXSnapshotKey, KEY_QUERY_VALUE) &&
         RegQueryValueExA(key.get(), "", nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

}  // namespace

void BuildActiveXSnapshot() {
  if (ActiveXSnapshotMarked()) return;
  if (ActiveXDefaultPresent()) SettingsDeleteKeyTree(HKEY_CURRENT_USER, kActiveXSnapshotKey);
  RegKey key;
  if (!key.Create(HKEY_CURRENT_USER, kActiveXSnapshotKey, KEY_SET_VALUE)) return;
  SettingsWriteString(HKEY_CURRENT_USER, kActiveXSnapshotKey, "", "P");
  EnumerateActiveX(0);
  char clsid[kItemKeySize];
  const int count = ItemCount();
  for (int i = 0; i < count; ++i)
    if (ItemKey(i, clsid) > 0) KnownItemWrite(key.get(), clsid, kTypeActiveX);
  ItemListClear();
}
