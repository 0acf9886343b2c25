#include "setup/first_detected_fill.h"

#include <string>

#include "categories/active_tasks.h"
#include "categories/activex.h"
#include "categories/file_types.h"
#include "categories/hidden_files.h"
#include "categories/ie_helpers.h"
#include "categories/scheduled_tasks.h"
#include "categories/services.h"
#include "foundation/datetime.h"
#include "foundation/settings.h"
#include "records/first_detected.h"
#include "startup/item_list.h"
#include "startup/startup_list.h"

namespace {

constexpr const char* kFilledKeys[] = {
    "Startup", "IEHelper", "Services", "Tasks", kFirstDetectedActiveTasks, "FileTypes", "Hidden"};

bool FirstDetectedMarked(const char* subkey) {
  char marker[1024];
  return SettingsReadString(HKEY_CURRENT_USER, subkey, "", marker, sizeof marker) > 0;
}

// Every listed item's command into one category; items without a command are passed over.
void FirstDetectedRecordList(const char* categoryKey) {
  char command[kItemCommandSize];
  const int count = ItemCount();
  for (int i = 0; i < count; ++i)
    if (ItemCommand(i, command) > 0) RecordFirstDetected(command, categoryKey);
  ItemListClear();
}

void FirstDetectedFillCategories() {
  SettingsCreateKey(HKEY_CURRENT_USER, kDetectedKey);
  for (const char* key : kFilledKeys)
    SettingsCreateKey(HKEY_CURRENT_USER, FirstDetectedPath(key).c_str());
  char now[kDateTimeTextSize];
  NowDateTimeText(now);
  SettingsWriteString(HKEY_CURRENT_USER, kDetectedKey, "", now);

  const struct {
    int (*enumerate)();
    const char* key;
  } kFills[] = {
      {[] {
         ItemListClear();
         return BuildStartupList(0);
       },
       "Startup"},
      {[] {
         ItemListClear();
         return EnumerateIEHelpers();
       },
       "IEHelper"},
      {[] {
         ItemListClear();
         return EnumerateScheduledTasks();
       },
       "Tasks"},
      {[] {
         ItemListClear();
         EnumerateServices(0);
         return ItemCount();
       },
       "Services"},
      {[] {
         ItemListClear();
         return EnumerateFileTypes();
       },
       "FileTypes"},
      {[] { return EnumerateActiveTasks(); }, kFirstDetectedActiveTasks},
      {[] {
         ItemListClear();
         return EnumerateHiddenFiles();
       },
       "Hidden"},
  };
  for (const auto& fill : kFills) {
    fill.enumerate();
    FirstDetectedRecordList(fill.key);
  }
}

void FirstDetectedFillActiveX() {
  const std::string path = FirstDetectedPath(kFirstDetectedActiveX);
  SettingsCreateKey(HKEY_CURRENT_USER, path.c_str());
  SettingsWriteString(HKEY_CURRENT_USER, path.c_str(), "", "P");
  ItemListClear();
  EnumerateActiveX(0);
  char command[kItemCommandSize], key[kItemKeySize], time[kDateTimeTextSize];
  const int count = ItemCount();
  for (int i = 0; i < count; ++i) {
    if (ItemKey(i, key) == 0 || ItemCommand(i, command) == 0) continue;
    if (FirstDetectedText(command, kTypeActiveX, time) == 0)
      RecordFirstDetected(command, kFirstDetectedActiveX);
  }
  ItemListClear();
}

}  // namespace

void InitFirstDetected() {
  if (!FirstDetectedMarked(kDetectedKey)) FirstDetectedFillCategories();
  if (!FirstDetectedMarked(FirstDetectedPath(kFirstDetectedActiveX).c_str()))
    FirstDetectedFillActiveX();
}
