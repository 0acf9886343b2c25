#include <utility>
#include <vector>

#include "alerts.h"
#include "categories/machine_job.h"
#include "categories/activex.h"
#include "monitor.h"
#include "records/first_detected.h"
#include "records/known_items.h"
#include "resource.h"
#include "startup/item_list.h"
#include "sweep_steps.h"
#include "tray_icon.h"

namespace {

// The row's key is the control's CLSID.
std::vector<ItemRow> ActiveXUnknown() {
  std::vector<ItemRow> unknown;
  KnownItemsView known(kActiveXSnapshotKey);
  for (ItemRow& row : ItemRowsCopy())
    if (!known.Approved(row.key.c_str())) unknown.push_back(std::move(row));
  return unknown;
}

// A kill bit this process may not set goes to the elevated job; refused there too, the user
// is told and the control is left unknown, so the next check asks again.
bool ActiveXKill(const ItemRow& entry) {
  const MachineJob job = MachineJobActiveXKill(entry.key.c_str());
  if (MachineJobRun(job) != 0) return true;
  MachineJobTellFailure(job, entry.title.empty() ? entry.key.c_str() : entry.title.c_str());
  return false;
}

// Known from the moment it is asked about: a rejected control stays listed with its kill bit
// set and is not asked about again.
void ActiveXAsk(const ItemRow& entry) {
  AlertSetItem(entry.command.c_str(), entry.title.c_str(), 0);
  KnownItemRemember(kActiveXSnapshotKey, entry.key.c_str(), kTypeActiveX);
  RecordFirstDetected(entry.command.c_str(), kActiveXDetectedCategory);
  SetTrayStatus(IDI_TRAY_CHECKING, IDS_TRAY_IE_HELPERS);
  if (AlertAsk(g_options.value[kOptHideActiveX], kSoundIEHelper, kAlertActiveX) == kAnswerNo &&
      !ActiveXKill(entry))
    KnownItemForget(kActiveXSnapshotKey, entry.key.c_str());
}

}  // namespace

void CheckActiveX() {
  if (g_options.value[kOptActiveX] < 1) return;
  EnumerateActiveX(0);
  for (const ItemRow& entry : ActiveXUnknown()) ActiveXAsk(entry);
}
