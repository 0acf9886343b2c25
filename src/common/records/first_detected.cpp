#include "records/first_detected.h"

#include <cstring>
#include <string>
#include <vector>

#include "foundation/datetime.h"
#include "foundation/handles.h"
#include "foundation/paths.h"
#include "foundation/settings.h"
#include "item_codes.h"
#include "startup/item_list.h"
#include "text.h"

namespace {

// Location codes read Startup; category codes not listed read ActiveTasks.
constexpr struct {
  int code;
  const char* key;
} kDetectedKeys[] = {
    {kTypeHidden, "Hidden"},         {kFileTypeCode, "FileTypes"},
    {kServiceExeCode, "Services"},   {kServiceSvchostCode, "Services"},
    {kTaskScheduledCode, "Tasks"},   {kTypeBHO, "IEHelper"},
    {kTypeToolbar, "IEHelper"},      {kTypeExtension, "IEHelper"},
    {kTypeActiveX, kFirstDetectedActiveX},
};

std::vector<std::string> FirstDetectedStaleNames(HKEY root, const char* subkey) {
  std::vector<std::string> stale;
  RegKey key;
  if (!key.Open(root, subkey, KEY_READ)) return stale;
  DWORD valueCount = 0;
  if (RegQueryInfoKeyA(key.get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &valueCount,
                       nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
    return stale;
  for (DWORD index = 0; index < valueCount; ++index) {
    char name[256];
    DWORD length = sizeof name;
    const LONG status =
        RegEnumValueA(key.get(), index, name, &length, nullptr, nullptr, nullptr, nullptr);
    if (status == ERROR_NO_MORE_ITEMS) break;
    // The default value is a marker, not a record; longer names are no program file, and a
    // name with a NUL inside would delete the record its front part names.
    if (status != ERROR_SUCCESS || length == 0 || std::strlen(name) != length) continue;
    char file[kPathSize];
    CopyBounded(file, sizeof file, std::string_view(name, length));
    if (!FileExists(file)) stale.emplace_back(name, length);
  }
  return stale;
}

}  // namespace

std::string FirstDetectedPath(const char* categoryKey) {
  return std::string(kDetectedKey) + "\\" + (categoryKey ? categoryKey : "");
}

const char* FirstDetectedKey(int code) {
  if (code < kFirstCategoryCode) return "Startup";
  for (const auto& row : kDetectedKeys)
    if (row.code == code) return row.key;
  return kFirstDetectedActiveTasks;
}

int RecordFirstDetected(const char* name, const char* categoryKey) {
  if (name == nullptr || categoryKey == nullptr || categoryKey[0] == '\0') return 0;
  char record[kPathSize];
  if (EqualsNoCase(categoryKey, kFirstDetectedActiveX)) {
    CopyBounded(record, sizeof record, name);
  } else {
    NormaliseCommand(name, record, sizeof record);
    char probe[kPathSize];
    CopyBounded(probe, sizeof probe, record);
    if (!FileExists(probe)) return 0;
  }
  if (record[0] == '\0') return 0;
  const std::string path = FirstDetectedPath(categoryKey);
  char time[kDateTimeTextSize];
  if (SettingsReadString(HKEY_CURRENT_USER, path.c_str(), record, time, sizeof time) > 0) return 1;
  NowDateTimeText(time);
  SettingsWriteString(HKEY_CURRENT_USER, path.c_str(), record, time);
  return 0;
}

int FirstDetectedText(const char* name, int code, char* out24) {
  if (out24 == nullptr) return 0;
  out24[0] = '\0';
  if (name == nullptr || name[0] == '\0') return 0;
  const std::string path = FirstDetectedPath(FirstDetectedKey(code));
  return SettingsReadString(HKEY_CURRENT_USER, path.c_str(), name, out24, kDateTimeTextSize);
}

void PruneFirstDetected(HKEY root, const char* categoryKey) {
  ItemListClear();
  const std::string path = FirstDetectedPath(categoryKey);
  const std::vector<std::string> stale = FirstDetectedStaleNames(root, path.c_str());
  for (const std::string& name : stale) SettingsDeleteValue(root, path.c_str(), name.c_str());
}

int ReadFileFacts(const char* path, int kind, FileFactsRecord* out) {
  if (!ReadFileTimesAndSize(path, out)) return 0;
  char normalised[kPathSize];
  NormaliseCommand(path, normalised, kPathSize);
  FirstDetectedText(normalised, kind, out->text[kFactFirstDetected]);
  return 1;
}
