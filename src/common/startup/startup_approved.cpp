#include "startup/startup_approved.h"

#include <windows.h>

#include "foundation/handles.h"
#include "foundation/platform.h"
#include "point_text.h"
#include "startup/value_place_read.h"
#include "text.h"

namespace {

constexpr char kApprovedKey[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\";
constexpr int kMachineRun = 1;
constexpr int kUserRun = 11;
constexpr int kMachineRun32 = 21;
constexpr int kStartupFolder = 200;

struct ApprovedStore {
  HKEY root;
  const char* name;
};

// The stores that may hold the entry: one for a Run key, both roots for a startup folder.
std::vector<ApprovedStore> ApprovedStoresOf(int code) {
  switch (code) {
    case kMachineRun: return {{HKEY_LOCAL_MACHINE, "Run"}};
    case kUserRun: return {{HKEY_CURRENT_USER, "Run"}};
    case kMachineRun32: return {{HKEY_LOCAL_MACHINE, "Run32"}};
    case kStartupFolder:
      return {{HKEY_CURRENT_USER, "StartupFolder"}, {HKEY_LOCAL_MACHINE, "StartupFolder"}};
    default: return {};
  }
}

std::string ApprovedName(int code, const char* name) {
  std::string text = name ? name : "";
  if (code != kStartupFolder) return text;
  const std::size_t slash = text.rfind('\\');
  return slash == std::string::npos ? text : text.substr(slash + 1);
}

bool ApprovedRead(const ApprovedStore& store, const std::string& name, PlaceValueData& data) {
  RegKey key;
  return key.Open(store.root, (std::string(kApprovedKey) + store.name).c_str(),
                  KEY_QUERY_VALUE) &&
         PlaceValueRead(key.get(), name.c_str(), data);
}

bool ApprovedWrite(const ApprovedStore& store, const std::string& name, bool disabled) {
  FILETIME now = {};
  GetSystemTimeAsFileTime(&now);
  const unsigned long long time =
      (static_cast<unsigned long long>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
  RegKey key;
  return key.Create(store.root, (std::string(kApprovedKey) + store.name).c_str(),
                    KEY_SET_VALUE) &&
         PlaceValueWrite(key.get(), name.c_str(), REG_BINARY, PointApprovedData(disabled, time));
}

void ApprovedCollectOff(HKEY root, const char* store, std::vector<std::string>& names) {
  RegKey key;
  if (!key.Open(root, (std::string(kApprovedKey) + store).c_str(), KEY_QUERY_VALUE)) return;
  for (const std::string& name : PlaceValueNames(key.get())) {
    PlaceValueData data;
    if (!name.empty() && PlaceValueRead(key.get(), name.c_str(), data) &&
        data.type == REG_BINARY && PointApprovedDisabled(data.bytes))
      names.push_back(UpperText(name));
  }
}

}  // namespace

bool StartupApprovedOff(int code, const char* name) {
  const std::string entry = ApprovedName(code, name);
  if (entry.empty()) return false;
  for (const ApprovedStore& store : ApprovedStoresOf(code)) {
    PlaceValueData data;
    if (ApprovedRead(store, entry, data) && data.type == REG_BINARY &&
        PointApprovedDisabled(data.bytes))
      return true;
  }
  return false;
}

std::vector<std::string> StartupApprovedOffNames() {
  std::vector<std::string> names;
  ApprovedCollectOff(HKEY_CURRENT_USER, "Run", names);
  ApprovedCollectOff(HKEY_LOCAL_MACHINE, "Run", names);
  ApprovedCollectOff(HKEY_LOCAL_MACHINE, "Run32", names);
  return names;
}

bool StartupApprovedInUse(unsigned major, unsigned minor) {
  return major > 6 || (major == 6 && minor >= 2);
}

int StartupApprovedKeep(int code, const char* name, bool disabled) {
  const WindowsVersion& version = RunningWindowsVersion();
  return StartupApprovedKeepOn(version.major, version.minor, code, name, disabled);
}

// Turning on clears a mark wherever one is found, whatever the system: a mark left off would
// keep Windows from starting the entry. Turning off marks a Run entry's store always, a
// startup-folder file's only where it has a value (the root follows the folder).
int StartupApprovedKeepOn(unsigned major, unsigned minor, int code, const char* name,
                          bool disabled) {
  const std::string entry = ApprovedName(code, name);
  if (entry.empty() || (disabled && !StartupApprovedInUse(major, minor))) return 1;
  int kept = 1;
  for (const ApprovedStore& store : ApprovedStoresOf(code)) {
    PlaceValueData data;
    const bool held = ApprovedRead(store, entry, data);
    if (!held && (code == kStartupFolder || !disabled)) continue;
    if (held && data.type == REG_BINARY && PointApprovedDisabled(data.bytes) == disabled)
      continue;
    if (!ApprovedWrite(store, entry, disabled)) kept = 0;
  }
  return kept;
}
