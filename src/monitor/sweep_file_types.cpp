#include <vector>

#include "alerts.h"
#include "categories/file_types.h"
#include "filetype_text.h"
#include "monitor.h"
#include "records/first_detected.h"
#include "resource.h"
#include "startup/item_list.h"
#include "sweep_steps.h"
#include "text.h"
#include "tray_icon.h"

namespace {

inline constexpr char kDetectedCategory[] = "FileTypes";

struct WatchedTypeEntry {
  char ext[kItemCommandSize];
  int source;
  char live[kItemCommandSize];  // '=' read as ':', as the store keeps it
};

std::vector<WatchedTypeEntry> FileTypesListed(int count) {
  std::vector<WatchedTypeEntry> entries(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    WatchedTypeEntry& entry = entries[static_cast<std::size_t>(i)];
    ItemExtra(i, entry.ext, sizeof entry.ext);
    entry.source = ItemValue(i);
    ItemCommand(i, entry.live);
    ReplaceChar(entry.live, '=', ':');
  }
  return entries;
}

void FileTypeAsk(const WatchedTypeEntry& entry, const char* stored) {
  RecordFirstDetected(stored, kDetectedCategory);
  RecordFirstDetected(entry.live, kDetectedCategory);
  SetTrayStatus(IDI_TRAY_ALERT, IDS_TRAY_FILE_TYPES);
  AlertSetItem(stored, entry.ext, kFileTypeCode);
  CopyBounded(g_alertItem.secondCommand, sizeof g_alertItem.secondCommand, entry.live);
  const int answer =
      AlertAsk(g_options.value[kOptHideFileType], kSoundFileType, kAlertFileType);
  if (answer == kAnswerNo)
    RestoreAssociation(entry.ext, entry.source);
  else if (answer == kAnswerYes)
    StoreAssociation(entry.ext, entry.source);
}

// A type first seen since the store was filled is taken as it is.
void FileTypeCompare(const WatchedTypeEntry& entry) {
  char stored[kItemCommandSize];
  if (StoredAssociationCommand(entry.ext, entry.source, stored) == 0) {
    StoreAssociation(entry.ext, entry.source);
    return;
  }
  if (!FileTypeCommandsDiffer(stored, entry.live)) return;
  if (g_options.value[kOptLockFileTypes] != 0)
    RestoreAssociation(entry.ext, entry.source);
  else
    FileTypeAsk(entry, stored);
}

}  // namespace

void CheckFileTypes() {
  MonitorReloadIfUpdated();
  if (g_options.value[kOptFileType] < 1) return;
  const int count = EnumerateFileTypes();
  for (const WatchedTypeEntry& entry : FileTypesListed(count)) FileTypeCompare(entry);
}
