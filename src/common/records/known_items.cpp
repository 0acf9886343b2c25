#include "records/known_items.h"

#include <cstdio>
#include <cstring>
#include <string_view>

#include "foundation/handles.h"
#include "foundation/settings.h"
#include "text.h"

namespace {

constexpr DWORD kNumberBytes = 32;

}  // namespace

int KnownItemQuery(HKEY key, const char* name) {
  if (!key) return kKnownMissing;
  char data[kNumberBytes + 1] = {};
  DWORD type = REG_NONE;
  DWORD size = kNumberBytes;
  const LONG status = RegQueryValueExA(key, name ? name : "", nullptr, &type,
                                       reinterpret_cast<BYTE*>(data), &size);
  if (status == ERROR_FILE_NOT_FOUND) return kKnownMissing;
  if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return 0;
  return ParseDecimal(std::string_view(data, strnlen(data, size)));
}

void KnownItemWrite(HKEY key, const char* name, int code) {
  char data[16];
  std::snprintf(data, sizeof data, "%d", code);
  RegSetValueExA(key, name ? name : "", 0, REG_SZ, reinterpret_cast<const BYTE*>(data),
                 static_cast<DWORD>(std::strlen(data) + 1));
}

KnownItemsView::KnownItemsView(const char* snapshotKey) : path_(snapshotKey) {
  key_.Open(HKEY_CURRENT_USER, path_, KEY_QUERY_VALUE);
}

bool KnownItemsView::Approved(const char* name) {
  if (!key_ && !key_.Open(HKEY_CURRENT_USER, path_, KEY_QUERY_VALUE)) return false;
  const int code = KnownItemQuery(key_.get(), name);
  return code != kKnownMissing && code != 0;
}

void KnownItemRemember(const char* snapshotKey, const char* name, int code) {
  RegKey key;
  if (key.Create(HKEY_CURRENT_USER, snapshotKey, KEY_SET_VALUE))
    KnownItemWrite(key.get(), name, code);
}

void KnownItemForget(const char* snapshotKey, const char* name) {
  RegKey key;
  if (key.Open(HKEY_CURRENT_USER, snapshotKey, KEY_SET_VALUE))
    RegDeleteValueA(key.get(), name ? name : "");
}

bool KnownItemsStart(const char* snapshotKey) {
  char marker[1024] = "";
  SettingsReadString(HKEY_CURRENT_USER, snapshotKey, "", marker, sizeof marker);
  if (marker[0] == 'P') return false;
  bool present = false;
  {
    RegKey key;
    present = key.Open(HKEY_CURRENT_USER, snapshotKey, KEY_QUERY_VALUE) &&
              RegQueryValueExA(key.get(), "", nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
  }
  if (present) SettingsDeleteKeyTree(HKEY_CURRENT_USER, snapshotKey);
  return SettingsCreateKey(HKEY_CURRENT_USER, snapshotKey) != 0;
}
