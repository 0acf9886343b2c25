#include "startup/disabled_titles.h"

#include <windows.h>

#include <algorithm>

#include "foundation/handles.h"
#include "startup/locations.h"
#include "startup/startup_approved.h"
#include "text.h"

std::vector<std::string> DisabledTitleList() {
  // Run values Task Manager turned off count as disabled too.
  std::vector<std::string> titles = StartupApprovedOffNames();
  RegKey key;
  if (!key.Open(HKEY_LOCAL_MACHINE, kDisabledIndexKey, KEY_QUERY_VALUE)) {
    std::sort(titles.begin(), titles.end());
    return titles;
  }
  for (DWORD index = 0;; ++index) {
    char name[16384];
    DWORD length = sizeof name;
    const LONG status =
        RegEnumValueA(key.get(), index, name, &length, nullptr, nullptr, nullptr, nullptr);
    if (status == ERROR_NO_MORE_ITEMS) break;
    if (status == ERROR_SUCCESS && length > 0) titles.push_back(UpperText({name, length}));
  }
  std::sort(titles.begin(), titles.end());
  return titles;
}

bool DisabledTitleListHolds(const std::vector<std::string>& titles, const char* title) {
  if (title == nullptr || title[0] == '\0') return false;
  return std::binary_search(titles.begin(), titles.end(), UpperText(title));
}

bool DisabledEntryHolds(const std::vector<std::string>& titles, int code, const char* title,
                        const char* key) {
  if (DisabledTitleListHolds(titles, title)) return true;
  return code == kLocationStartupFolder && key && key[0] && StartupApprovedOff(code, key);
}

bool IsEntryDisabled(const char* title, int code, const char* key) {
  if (IsTitleDisabled(title)) return true;
  return code == kLocationStartupFolder && key && key[0] && StartupApprovedOff(code, key);
}
