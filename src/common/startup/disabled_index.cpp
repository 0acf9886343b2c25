#include <cstdio>

#include "foundation/handles.h"
#include "foundation/settings.h"
#include "startup/locations.h"
#include "startup/startup_action_steps.h"
#include "text.h"

namespace {

constexpr int kIndexTextSize = 16;

}  // namespace

int DisabledIndexCode(const char* title) {
  RegKey key;
  if (!title || !key.Open(HKEY_LOCAL_MACHINE, kDisabledIndexKey, KEY_QUERY_VALUE))
    return kDisabledIndexMissing;
  char data[kIndexTextSize + 1] = {};
  DWORD type = REG_NONE;
  DWORD size = kIndexTextSize;
  const LONG status =
      RegQueryValueExA(key.get(), title, nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
  if (status == ERROR_FILE_NOT_FOUND) return kDisabledIndexMissing;
  if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return 0;
  return ParseDecimal(std::string_view(data, strnlen(data, size)));
}

int DisabledIndexWrite(const char* title, int code) {
  char data[kIndexTextSize];
  std::snprintf(data, sizeof data, "%d", code);
  return SettingsWriteString(HKEY_LOCAL_MACHINE, kDisabledIndexKey, title, data);
}

int DisabledIndexDelete(const char* title) {
  return SettingsDeleteValue(HKEY_LOCAL_MACHINE, kDisabledIndexKey, title);
}

bool DisabledIndexHolds(const char* title, int code) {
  const int held = DisabledIndexCode(title);
  if (held == kDisabledIndexMissing) return false;
  return held == code || LocationRoot(held) == nullptr;
}
