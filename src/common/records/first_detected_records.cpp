#include "records/first_detected_records.h"

#include <windows.h>

#include "foundation/datetime.h"
#include "foundation/handles.h"
#include "foundation/paths.h"
#include "foundation/settings.h"
#include "records/first_detected.h"
#include "text.h"

FirstDetectedRecordMap FirstDetectedRecords(const char* categoryKey) {
  FirstDetectedRecordMap records;
  RegKey key;
  if (!key.Open(HKEY_CURRENT_USER, FirstDetectedPath(categoryKey).c_str(), KEY_QUERY_VALUE))
    return records;
  for (DWORD index = 0;; ++index) {
    char name[kPathSize];
    char time[kDateTimeTextSize];
    DWORD nameLength = sizeof name, size = sizeof time, type = 0;
    const LONG status = RegEnumValueA(key.get(), index, name, &nameLength, nullptr, &type,
                                      reinterpret_cast<BYTE*>(time), &size);
    if (status == ERROR_NO_MORE_ITEMS) break;
    if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ) || nameLength == 0)
      continue;
    // A text that fills the buffer without its terminator is too long for the store's text.
    if (size == sizeof time && time[size - 1] != '\0') continue;
    time[size < sizeof time ? size : sizeof time - 1] = '\0';
    if (time[0] != '\0') records.emplace(UpperText(std::string_view(name, nameLength)), time);
  }
  return records;
}
