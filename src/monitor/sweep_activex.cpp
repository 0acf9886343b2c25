#include <vector>

#include "alerts.h"
#include "categories/activex.h"
#include "monitor.h"
#include "records/first_detected.h"
#include "records/known_items.h"
#include "resource.h"
#include "startup/item_list.h"
#include "sweep_steps.h"
#include "tray_icon.h"

namespace {

struct ActiveXEntry {
  char title[kItemTitleSize];
  char command[kItemCommandSize];
  char clsid[kItemKeySize];
};

std::vector<ActiveXEntry> ActiveXUnknown() {
  std::vector<ActiveXEntry> unknown;
  KnownItemsView known(kActiveXSnapshotKey);
  const int count = ItemCount();
  for (int i = 0; i < count; ++i) {
    ActiveXEntry entry = {};
    ItemKey(i, entry.clsid);
    if (known.Approved(entry.clsid)) continue;
    ItemTitle(i, entry.title);
    ItemCommand(i, entry.command);
    unknown.push_back(entry);
  }
  return unknown;
}

// Known from the moment it is asked about: a rejected control stays listed with its kill bit
// set and is not asked about again.
void ActiveXAsk(const ActiveXEntry& entry) {
  AlertSetItem(entry.command, entry.title, 0);
  KnownItemRemember(kActiveXSnapshotKey, entry.clsid, kTypeActiveX);
  RecordFirstDetected(entry.command, kActiveXDetectedCategory);
  SetTrayStatus(IDI_TRAY_CHECKING, IDS_TRAY_IE_HELPERS);
  if (AlertAsk(g_options.value[kOptHideActiveX], kSoundIEHelper, kAlertActiveX) == kAnswerNo)
    KillActiveX(entry.clsid);
}

}  // namespace

void CheckActiveX() {
  if (g_options.value[kOptActiveX] < 1) return;
  EnumerateActiveX(0);
  for (const ActiveXEntry& entry : ActiveXUnknown()) ActiveXAsk(entry);
}
