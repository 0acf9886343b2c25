#include <vector>

#include "alerts.h"
#include "categories/active_tasks.h"
#include "categories/ie_helpers.h"
#include "categories/ie_helpers_machine.h"
#include "categories/machine_job.h"
#include "monitor.h"
#include "records/first_detected.h"
#include "records/known_items.h"
#include "resource.h"
#include "startup/item_list.h"
#include "sweep_steps.h"
#include "text.h"
#include "tray_icon.h"

namespace {

inline constexpr char kDetectedCategory[] = "IEHelper";

// An add-on that neither this process nor the elevated job could remove stays unknown, so the
// next check asks again; one that went by itself meanwhile needs no notice.
void IEHelperReject(const ItemRow& entry) {
  KillTask(entry.command.c_str(), entry.title.c_str(), 0);
  if (RemoveIEHelper(entry.command.c_str(), entry.index) == 0 &&
      IEHelperEntryExists(entry.code, entry.key.c_str()))
    MachineJobTellFailure(MachineJobIEHelperRemove(entry.code, entry.key.c_str()),
                          entry.title.c_str());
  KnownItemForget(kIEHelpersKey, entry.title.c_str());
}

void IEHelperAsk(const ItemRow& entry) {
  RecordFirstDetected(entry.command.c_str(), kDetectedCategory);
  SetTrayStatus(IDI_TRAY_CHECKING, IDS_TRAY_IE_HELPERS);
  AlertSetItem(entry.command.c_str(), entry.title.c_str(), entry.code);
  const int answer = AlertAsk(g_options.value[kOptHideIEHelper], kSoundIEHelper, kAlertIEHelper);
  if (answer == kAnswerNo)
    IEHelperReject(entry);
  else if (answer == kAnswerYes)
    KnownItemRemember(kIEHelpersKey, entry.title.c_str(), entry.code);
}

}  // namespace

// Copied out first: an answered alert empties the shared alert texts, and what a rejection
// removes must be the item that was shown.
int CheckIEHelpers() {
  if (g_options.value[kOptIEHelpers] < 1) return 0;
  const int count = EnumerateIEHelpers();
  KnownItemsView known(kIEHelpersKey);
  for (const ItemRow& entry : ItemRowsCopy())
    if (!known.Approved(entry.title.c_str())) IEHelperAsk(entry);
  return count;
}
