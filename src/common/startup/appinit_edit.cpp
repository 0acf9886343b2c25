#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "foundation/handles.h"
#include "foundation/paths.h"
#include "list_edit_text.h"
#include "startup/startup_actions.h"

namespace {

constexpr char kAppInitKey[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Windows";
constexpr char kAppInitValue[] = "AppInit_Dlls";
constexpr DWORD kAppInitLimit = 1u << 16;
constexpr REGSAM kAppInitAccess = KEY_QUERY_VALUE | KEY_SET_VALUE;

enum class AppInitState { kMissing, kUnusable, kText };

// Read whole, so that writing it back can lose nothing.
AppInitState AppInitRead(HKEY key, std::string& text, DWORD& type) {
  DWORD size = 0;
  const LONG status = RegQueryValueExA(key, kAppInitValue, nullptr, &type, nullptr, &size);
  if (status == ERROR_FILE_NOT_FOUND) return AppInitState::kMissing;
  if (status != ERROR_SUCCESS || size > kAppInitLimit || (type != REG_SZ && type != REG_EXPAND_SZ))
    return AppInitState::kUnusable;
  std::vector<char> bytes(size + 1, '\0');
  DWORD read = size;
  if (RegQueryValueExA(key, kAppInitValue, nullptr, &type, reinterpret_cast<BYTE*>(bytes.data()),
                       &read) != ERROR_SUCCESS ||
      read != size)
    return AppInitState::kUnusable;
  text.assign(bytes.data(), strnlen(bytes.data(), size));
  return AppInitState::kText;
}

int AppInitWrite(HKEY key, const std::string& text, DWORD type) {
  return RegSetValueExA(key, kAppInitValue, 0, type, reinterpret_cast<const BYTE*>(text.c_str()),
                        static_cast<DWORD>(text.size() + 1)) == ERROR_SUCCESS;
}

std::string AppInitLongForm(std::string_view item) {
  const std::string text(item);
  char path[kPathSize];
  LongPath(text.c_str(), path, sizeof path);
  return path;
}

}  // namespace

int AppInitRemove(const char* dll) {
  RegKey key;
  if (!dll || !key.Open(HKEY_LOCAL_MACHINE, kAppInitKey, kAppInitAccess)) return 0;
  std::string text, kept;
  DWORD type = REG_SZ;
  if (AppInitRead(key.get(), text, type) != AppInitState::kText) return 0;
  if (ListEditRemove(text, dll, kAppInitListRule, AppInitLongForm, kept) == 0) return 0;
  return AppInitWrite(key.get(), kept, type);
}

int AppInitAppend(const char* dll) {
  RegKey key;
  if (!dll || !dll[0] || !key.Create(HKEY_LOCAL_MACHINE, kAppInitKey, kAppInitAccess)) return 0;
  std::string text, extended;
  DWORD type = REG_SZ;
  if (AppInitRead(key.get(), text, type) == AppInitState::kUnusable) return 0;
  // The list is split at blanks, so a DLL goes in by its short name.
  char shortName[kPathSize];
  const DWORD length = GetShortPathNameA(dll, shortName, sizeof shortName);
  const char* item = length > 0 && length < sizeof shortName ? shortName : dll;
  if (ListEditAppend(text, item, kAppInitListRule, AppInitLongForm, extended))
    return AppInitWrite(key.get(), extended, type);
  std::string unchanged;
  return ListEditRemove(text, item, kAppInitListRule, AppInitLongForm, unchanged) > 0;
}
