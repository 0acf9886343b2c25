#include "records/first_detected_store.h"

#include <windows.h>

#include <cstring>
#include <vector>

#include "foundation/datetime.h"
#include "foundation/handles.h"
#include "foundation/settings.h"
#include "records/first_detected.h"
#include "text.h"

namespace {

// As the settings store reads one value: text types only, at most 1024 bytes, the text up to
// its first zero, environment references expanded; too long for a date text means none.
constexpr DWORD kValueBytes = 1024;
constexpr DWORD kExpandChars = 1024;

bool FirstDetectedStoreDate(DWORD type, const char* data, DWORD size, std::string& text) {
  if (type != REG_SZ && type != REG_EXPAND_SZ) return false;
  const void* zero = std::memchr(data, '\0', size);
  text.assign(data, zero ? static_cast<const char*>(zero) - data : size);
  if (type == REG_EXPAND_SZ) {
    char expanded[kExpandChars];
    const DWORD needed = ExpandEnvironmentStringsA(text.c_str(), expanded, kExpandChars);
    if (needed > 0 && needed <= kExpandChars) text = expanded;
  }
  return !text.empty() && text.size() < static_cast<std::size_t>(kDateTimeTextSize);
}

void FirstDetectedStoreFill(HKEY key, FirstDetectedStore& store) {
  DWORD count = 0, longestName = 0;
  if (RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count,
                       &longestName, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
    return;
  std::vector<char> name(longestName + 1);
  char data[kValueBytes];
  store.byName.reserve(count);
  for (DWORD index = 0; index < count; ++index) {
    DWORD nameLength = static_cast<DWORD>(name.size()), type = REG_NONE, size = sizeof data;
    const LONG status = RegEnumValueA(key, index, name.data(), &nameLength, nullptr, &type,
                                      reinterpret_cast<BYTE*>(data), &size);
    if (status == ERROR_NO_MORE_ITEMS) break;
    std::string text;
    if (status != ERROR_SUCCESS || nameLength == 0 || !FirstDetectedStoreDate(type, data, size, text))
      continue;
    store.byName.emplace(UpperText(std::string_view(name.data(), nameLength)), std::move(text));
  }
}

}  // namespace

FirstDetectedStore FirstDetectedStoreRead(int code) {
  FirstDetectedStore store;
  RegKey key;
  if (key.Open(HKEY_CURRENT_USER, FirstDetectedPath(FirstDetectedKey(code)).c_str(), KEY_READ))
    FirstDetectedStoreFill(key.get(), store);
  return store;
}

std::string FirstDetectedStoreText(const FirstDetectedStore& store, const char* name) {
  if (name == nullptr || name[0] == '\0') return "";
  const auto found = store.byName.find(UpperText(name));
  return found == store.byName.end() ? std::string() : found->second;
}
