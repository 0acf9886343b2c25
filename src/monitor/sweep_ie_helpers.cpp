#include <vector>

#include "alerts.h"
#include "categories/active_tasks.h"
#include "categories/ie_helpers.h"
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

struct IEHelperEntry {
  int index;
  char title[kItemTitleSize];
  char command[kItemCommandSize];
  char plainCommand[kItemCommandSize];  // '=' read as ':', the form the removal matches
  int code;
};

std::vector<IEHelperEntry> IEHelperEntries(int count) {
  std::vector<IEHelperEntry> entries(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    IEHelperEntry& entry = entries[static_cast<std::size_t>(i)];
    entry.index = i;
    ItemTitle(i, entry.title);
    ItemCommand(i, entry.command);
    CopyBounded(entry.plainCommand, kItemCommandSize, entry.command);
    ReplaceChar(entry.plainCommand, '=', ':');
    entry.code = ItemCode(i);
  }
  return entries;
}

void IEHelperReject(const IEHelperEntry& entry) {
  KillTask(entry.command, entry.title, 0);
  RemoveIEHelper(entry.plainCommand, entry.index);
  KnownItemForget(kIEHelpersKey, entry.title);
}

void IEHelperAsk(const IEHelperEntry& entry) {
  RecordFirstDetected(entry.command, kDetectedCategory);
  SetTrayStatus(IDI_TRAY_CHECKING, IDS_TRAY_IE_HELPERS);
  AlertSetItem(entry.command, entry.title, entry.code);
  const int answer = AlertAsk(g_options.value[kOptHideIEHelper], kSoundIEHelper, kAlertIEHelper);
  if (answer == kAnswerNo)
    IEHelperReject(entry);
  else if (answer == kAnswerYes)
    KnownItemRemember(kIEHelpersKey, entry.title, entry.code);
}

}  // namespace

// Copied out first: an answered alert empties the shared alert texts, and what a rejection
// removes must be the item that was shown.
int CheckIEHelpers() {
  if (g_options.value[kOptIEHelpers] < 1) return 0;
  const int count = EnumerateIEHelpers();
  KnownItemsView known(kIEHelpersKey);
  for (const IEHelperEntry& entry : IEHelperEntries(count))
    if (!known.Approved(entry.title)) IEHelperAsk(entry);
  return count;
}
