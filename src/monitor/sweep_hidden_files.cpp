#include <utility>
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

bool HiddenKnown(const char* path) {
  char recorded[kRecordedSize] = "";
  return SettingsReadString(HKEY_CURRENT_USER, kHiddenSnapshotKey, path, recorded,
                            kRecordedSize) > 0;
}

// The row's command is the file's path.
std::vector<ItemRow> HiddenUnknown() {
  std::vector<ItemRow> unknown;
  for (ItemRow& row : ItemRowsCopy())
    if (!row.command.empty() && !HiddenKnown(row.command.c_str()))
      unknown.push_back(std::move(row));
  return unknown;
}

void HiddenAsk(const ItemRow& entry) {
  const char* path = entry.command.c_str();
  AlertSetItem(path, entry.title.c_str(), kTypeHidden);
  RecordFirstDetected(path, kHiddenDetectedCategory);
  SetTrayStatus(IDI_TRAY_CHECKING, IDS_TRAY_IE_HELPERS);
  const int answer = AlertAsk(g_options.value[kOptHideHidden], kSoundIEHelper, kAlertHidden);
  if (answer == kAnswerNo)
    DeleteHiddenFile(entry.title.c_str(), path);
  else if (answer == kAnswerYes)
    HiddenRemember(path);
}

}  // namespace

// The new files are copied out first: a deletion must act on the file that was shown.
void CheckHiddenFiles() {
  EnumerateHiddenFiles();
  for (const ItemRow& entry : HiddenUnknown()) HiddenAsk(entry);
}
