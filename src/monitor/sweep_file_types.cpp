#include <string>
#include <vector>

#include "alerts.h"
#include "categories/file_types.h"
#include "categories/machine_job.h"
#include "monitor.h"
#include "records/first_detected.h"
#include "resource.h"
#include "startup/item_list.h"
#include "sweep_steps.h"
#include "text.h"
#include "tray_icon.h"

namespace {

// A type that could not be put back keeps its stored association, so it is asked about again.
void FileTypeRestore(const char* ext, int source) {
  if (!RestoreAssociation(ext, source))
    MachineJobTellFailure(MachineJobFileTypeRestore(ext, source), ext);
}

inline constexpr char kDetectedCategory[] = "FileTypes";

// A row's extra is the extension, its value the source; live is its command as the store
// keeps it.
void FileTypeAsk(const ItemRow& entry, const std::string& live, const char* stored) {
  const char* ext = entry.extra.c_str();
  RecordFirstDetected(stored, kDetectedCategory);
  RecordFirstDetected(live.c_str(), kDetectedCategory);
  SetTrayStatus(IDI_TRAY_ALERT, IDS_TRAY_FILE_TYPES);
  AlertSetItem(stored, ext, kFileTypeCode);
  CopyBounded(g_alertItem.secondCommand, sizeof g_alertItem.secondCommand, live);
  const int answer =
      AlertAsk(g_options.value[kOptHideFileType], kSoundFileType, kAlertFileType);
  if (answer == kAnswerNo)
    FileTypeRestore(ext, entry.value);
  else if (answer == kAnswerYes)
    StoreAssociation(ext, entry.value);
}

// A type first seen since the store was filled is taken as it is.
void FileTypeCompare(const ItemRow& entry) {
  const char* ext = entry.extra.c_str();
  std::string stored, live;
  if (!CompareAssociation(ext, entry.value, stored, live)) return;
  if (g_options.value[kOptLockFileTypes] != 0)
    FileTypeRestore(ext, entry.value);
  else
    FileTypeAsk(entry, live, stored.c_str());
}

}  // namespace

void CheckFileTypes() {
  MonitorReloadIfUpdated();
  if (g_options.value[kOptFileType] < 1) return;
  const int count = EnumerateFileTypes();
  std::vector<ItemRow> entries;
  for (int i = 0; i < count; ++i) entries.push_back(ItemRowAt(i));
  for (const ItemRow& entry : entries) FileTypeCompare(entry);
}
