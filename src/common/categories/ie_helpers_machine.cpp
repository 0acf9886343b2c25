#include "categories/ie_helpers_machine.h"

#include <windows.h>

#include <cstring>
#include <string>

#include "categories/ie_helpers.h"
#include "categories/machine_job.h"
#include "foundation/handles.h"
#include "foundation/settings.h"

namespace {

bool IEHelperKeyNameSound(const char* key) {
  return key != nullptr && key[0] != '\0' && std::strchr(key, '\\') == nullptr;
}

const char* IEHelperParentKey(int code) {
  switch (code) {
    case kTypeBHO: return kBHOKey;
    case kTypeToolbar: return kToolbarKey;
    case kTypeExtension: return kExtensionsKey;
    default: return nullptr;
  }
}

std::string IEHelperDeleteEntry(int code, const char* key) {
  const char* parent = IEHelperParentKey(code);
  if (code == kTypeToolbar)
    return SettingsDeleteValue(HKEY_LOCAL_MACHINE, parent, key) ? parent : "";
  const std::string path = std::string(parent) + "\\" + key;
  if (!SettingsDeleteKeyTree(HKEY_LOCAL_MACHINE, path.c_str())) return "";
  return path;
}

}  // namespace

std::string IEHelperEntryPath(int code, const char* key) {
  const char* parent = IEHelperParentKey(code);
  if (parent == nullptr || !IEHelperKeyNameSound(key)) return {};
  return code == kTypeToolbar ? std::string(parent) : std::string(parent) + "\\" + key;
}

bool IEHelperEntryExists(int code, const char* key) {
  const std::string path = IEHelperEntryPath(code, key);
  if (path.empty()) return false;
  RegKey opened;
  if (!opened.Open(HKEY_LOCAL_MACHINE, path.c_str(), KEY_QUERY_VALUE)) return false;
  if (code != kTypeToolbar) return true;
  return RegQueryValueExA(opened.get(), key, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

std::string IEHelperDeleteExisting(int code, const char* key) {
  if (!IEHelperEntryExists(code, key)) return {};
  return IEHelperDeleteEntry(code, key);
}

std::string IEHelperDeleteMachineEntry(int code, const char* key) {
  if (MachineJobDirectAllowed()) {
    std::string removedFrom = IEHelperDeleteExisting(code, key);
    if (!removedFrom.empty()) return removedFrom;
  }
  if (!IEHelperEntryExists(code, key)) return {};
  if (MachineJobHandOver(MachineJobIEHelperRemove(code, key)) == 0) return {};
  return IEHelperEntryExists(code, key) ? std::string() : IEHelperEntryPath(code, key);
}
