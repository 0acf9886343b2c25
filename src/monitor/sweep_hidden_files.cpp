#include <vector>

#include "alerts.h"
#include "categories/hidden_files.h"
#include "foundation/settings.h"
#include "monitor.h"
#include "records/first_detected.h"
#include "resource.h"
#include "startup/item_list.h"
#include "sweep_steps.h"
#include "tray_icon.h"

namespace {

constexpr int kRecordedSize = 1024;

struct HiddenEntry {
  char title[kItemTitleSize];
  char path[kItemCommandSize];
};

bool HiddenKnown(const char* path) {
  char recorded[kRecordedSize] = "";
  return SettingsReadString(HKEY_CURRENT_USER, kHiddenSnapshotKey, path, recorded,
                            kRecordedSize) > 0;
}

std::vector<HiddenEntry> HiddenUnknown() {
  std::vector<HiddenEntry> unknown;
  const int count = ItemCount();
  for (int i = 0; i < count; ++i) {
    HiddenEntry entry = {};
    ItemCommand(i, entry.path);
    if (entry.path[0] == '\0' || HiddenKnown(entry.path)) continue;
    ItemTitle(i, entry.title);
    unknown.push_back(entry);
  }
  return unknown;
}

void HiddenAsk(const HiddenEntry& entry) {
  AlertSetItem(entry.path, entry.title, kTypeHidden);
  RecordFirstDetected(entry.path, kHiddenDetectedCategory);
  SetTrayStatus(IDI_TRAY_CHECKING, IDS_TRAY_IE_HELPERS);
  const int answer = AlertAsk(g_options.value[kOptHideHidden], kSoundIEHelper, kAlertHidden);
  if (answer == kAnswerNo)
    DeleteHiddenFile(entry.title, entry.path);
  else if (answer == kAnswerYes)
    HiddenRemember(entry.path);
}

}  // namespace

// The new files are copied out first: a deletion must act on the file that was shown.
void CheckHiddenFiles() {
  EnumerateHiddenFiles();
  for (const HiddenEntry& entry : HiddenUnknown()) HiddenAsk(entry);
}
