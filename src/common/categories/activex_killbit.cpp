#include <string>

#include "categories/activex.h"
#include "categories/activex_undo.h"
#include "foundation/handles.h"
#include "foundation/settings.h"

namespace {

constexpr char kFlagsValue[] = "Compatibility Flags";
constexpr DWORD kNumberBytes = 4;

std::string ActiveXEntryPath(const char* clsid) {
  return std::string(kActiveXCompatibilityKey) + "\\" + clsid;
}

bool ActiveXNamed(const char* clsid) { return clsid != nullptr && clsid[0] != '\0'; }

}  // namespace

DWORD ActiveXReadNumber(HKEY root, const std::string& subkey, const char* value) {
  RegKey key;
  if (!key.Open(root, subkey.c_str(), KEY_QUERY_VALUE)) return 0;
  BYTE data[kNumberBytes] = {};
  DWORD type = REG_NONE;
  DWORD size = kNumberBytes;
  if (RegQueryValueExA(key.get(), value, nullptr, &type, data, &size) != ERROR_SUCCESS ||
      (type != REG_DWORD && type != REG_BINARY) || size > kNumberBytes)
    return 0;
  DWORD number = 0;
  for (DWORD i = size; i-- > 0;) number = (number << 8) | data[i];
  return number;
}

// All 32 bits: a two-byte read would write other flags back changed along with the kill bit.
DWORD ReadCompatibilityFlags(const char* clsid) {
  if (!ActiveXNamed(clsid)) return 0;
  return ActiveXReadNumber(HKEY_LOCAL_MACHINE, ActiveXEntryPath(clsid), kFlagsValue);
}

// An empty CLSID would write into the list's own key.
bool KillActiveX(const char* clsid) {
  if (!ActiveXNamed(clsid)) return false;
  ActiveXUndoRecord(clsid);
  if (!SettingsWriteNumber(HKEY_LOCAL_MACHINE, ActiveXEntryPath(clsid).c_str(), kFlagsValue,
                           ReadCompatibilityFlags(clsid) | kActiveXKillBit))
    return false;
  ActiveXKilledLine(clsid);
  return true;
}

void EnableActiveX(const char* clsid) {
  if (!ActiveXNamed(clsid)) return;
  SettingsWriteNumber(HKEY_LOCAL_MACHINE, ActiveXEntryPath(clsid).c_str(), kFlagsValue,
                      ReadCompatibilityFlags(clsid) & ~kActiveXKillBit);
}
