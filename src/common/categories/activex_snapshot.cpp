#include <windows.h>

#include "categories/activex.h"
#include "foundation/handles.h"
#include "foundation/settings.h"
#include "records/known_items.h"
#include "startup/item_list.h"

void BuildActiveXSnapshot() {
  if (!KnownItemsStart(kActiveXSnapshotKey)) return;
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
