#include "categories/listed_removals.h"

#include <windows.h>

#include "categories/ie_helpers.h"
#include "categories/scheduled_tasks.h"
#include "records/known_items.h"
#include "startup/item_list.h"
#include "text.h"

int RemoveListedIEHelper(int code, const char* key, const char* command) {
  if (key == nullptr || command == nullptr) return 0;
  EnumerateIEHelpers();
  const int count = ItemCount();
  for (int index = 0; index < count; ++index) {
    const ItemRow item = ItemRowAt(index);
    if (item.code == code && EqualsNoCase(item.key, key) && EqualsNoCase(item.command, command))
      return RemoveIEHelper(command, index);
  }
  return 0;
}

bool RemoveListedScheduledTask(const char* taskName) {
  if (taskName == nullptr || taskName[0] == '\0') return false;
  if (DeleteScheduledTask(taskName) != S_OK) return false;
  KnownItemForget(kTasksKey, taskName);
  return true;
}
