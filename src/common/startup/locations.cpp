#include "startup/locations.h"

#include <string>

#include "foundation/handles.h"
#include "foundation/strings.h"
#include "resource.h"
#include "startup/startup_approved.h"
#include "startup/startup_points.h"
#include "text.h"

bool g_wow64RunKey = false;

namespace {

constexpr int kLabelSize = 512;
constexpr int kRootCount = 3;

struct CategoryLabel {
  int code;
  int string;
};
constexpr CategoryLabel kCategoryLabels[] = {{800, 726}, {801, 726}, {900, 725}, {901, 724}};

constexpr const char* kRunKeyPaths[kRootCount][kRunFamilySize] = {
    {"Software\\Microsoft\\Windows\\CurrentVersion\\Run",
     "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce",
     "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnceEx",
     "Software\\Microsoft\\Windows\\CurrentVersion\\RunServices",
     "Software\\Microsoft\\Windows\\CurrentVersion\\RunServicesOnce",
     "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce\\Setup",
     "Software\\Microsoft\\Windows\\CurrentVersion\\policies\\Explorer\\Run"},
    {"Software\\Microsoft\\Windows\\CurrentVersion\\Run",
     "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce",
     "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnceEx",
     "Software\\Microsoft\\Windows\\CurrentVersion\\RunServices",
     "Software\\Microsoft\\Windows\\CurrentVersion\\RunServicesOnce",
     "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce\\Setup",
     "Software\\Microsoft\\Windows\\CurrentVersion\\policies\\Explorer\\Run"},
    {"Software\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\Run",
     "Software\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\RunOnce",
     "Software\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\RunOnceEx",
     "Software\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\RunServices",
     "Software\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\RunServicesOnce",
     "Software\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\RunOnce\\Setup",
     "Software\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\policies\\Explorer\\Run"}};

constexpr const char* kDisabledStoreSubKeys[kDisabledStoreCount] = {
    "Run",    "RunOnce", "RunOnceEx", "RunServices",    "RunServicesOnce", "RunSetup",
    "Policy", "WinLoad", "WinRun",    "RunOnce\\Setup", "WinNotify"};
constexpr int kWinLoadStore = 7;
constexpr int kWinRunStore = 8;
constexpr int kWinNotifyStore = 10;

struct CodeText {
  int code;
  const char* text;
};

// clang-format off
constexpr CodeText kShortNames[] = {
    {1, "HKLM_RUN"}, {2, "HKLM_RUNONCE"}, {3, "HKLM_RUNONCEEX"}, {4, "HKLM_RUNSERVICES"},
    {5, "HKLM_RUNSERVICESONCE"}, {6, "HKLM_RUNONCESETUP"}, {7, "HKLM_POLICY"},
    {11, "HKCU_RUN"}, {12, "HKCU_RUNONCE"}, {13, "HKCU_RUNONCEEX"}, {14, "HKCU_RUNSERVICES"},
    {15, "HKCU_RUNSERVICESONCE"}, {16, "HKCU_RUNONCESETUP"}, {17, "HKCU_POLICY"},
    {21, "x64_RUN"}, {22, "x64_RUNONCE"}, {23, "x64_RUNONCEEX"}, {24, "x64_RUNSERVICES"},
    {25, "x64_RUNSERVICESONCE"}, {26, "x64_RUNONCESETUP"}, {27, "x64_POLICY"},
    {31, "RUN_POLICY"}, {32, "K_RUNONCE"}, {33, "K_RUNONCEEX"}, {34, "K_RUNSERVICES"},
    {35, "K_RUNSERVICESONCE"},
    {100, "WIN.INI_LOAD"}, {101, "WIN.INI_RUN"}, {200, "STARTUP_FOLDER"},
    {250, "LOGON_USERINIT"}, {251, "LOGON_SHELL"}, {252, "DELAYLOAD"}, {253, "TASKSCHEDULER"},
    {254, "SHELLHOOK"}, {255, "APPINIT_DLL"}, {256, "NOTIFY"}, {801, "TASK_SCHEDULED2"}};
// clang-format on

constexpr int kLabelledRunPositions = 5;
constexpr const char* kRunLabelRoots[kRootCount] = {
    "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\",
    "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\",
    "HKLM\\Software\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\"};
constexpr const char* kRunLabelNames[kLabelledRunPositions] = {"Run", "RunOnce", "RunOnceEx",
                                                               "RunServices", "RunServicesOnce"};

constexpr CodeText kOtherLabels[] = {
    {100, "WIN.INI     [Load] Section"},
    {101, "WIN.INI     [Run] Section"},
    {200, "Windows Startup Group"},
    {250, "HKLM\\Software\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon Userinit"},
    {251, "HKLM\\Software\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon Shell"},
    {252, "HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\ShellServiceObjectDelayLoad"},
    {253, "HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\SharedTaskScheduler"},
    {254, "HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\ShellExecuteHooks"},
    {255, "HKLM\\Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows  AppInit_DLLs"},
    {256, "HKLM\\Software\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon Notify"}};

template <std::size_t N>
const char* FindText(const CodeText (&table)[N], int code) {
  for (const CodeText& row : table)
    if (row.code == code) return row.text;
  return "";
}

int RootIndex(int code) { return (code - 1) / 10; }
int Position(int code) { return (code - 1) % 10; }

int AppendLabelBody(int code, char* out, int capacity) {
  const std::size_t size = static_cast<std::size_t>(capacity);
  if (IsRunFamily(code) && Position(code) < kLabelledRunPositions) {
    AppendBounded(out, size, kRunLabelRoots[RootIndex(code)]);
    return static_cast<int>(AppendBounded(out, size, kRunLabelNames[Position(code)]));
  }
  return static_cast<int>(AppendBounded(out, size, FindText(kOtherLabels, code)));
}

void AppendDisabledMarker(char* out, int capacity) {
  char marker[kLabelSize] = "";
  LocalString(IDS_DISABLED_MARKER, marker, sizeof marker);
  AppendBounded(out, static_cast<std::size_t>(capacity), " * ");
  AppendBounded(out, static_cast<std::size_t>(capacity), marker);
  AppendBounded(out, static_cast<std::size_t>(capacity), " * ");
}

}  // namespace

bool ProbeWow64RunKey() {
  RegKey key;
  return key.Open(HKEY_LOCAL_MACHINE, kRunKeyPaths[2][0], KEY_READ);
}

bool IsRunFamily(int code) { return code >= 1 && code <= 27 && Position(code) < kRunFamilySize; }

HKEY LocationRoot(int code) {
  if (code >= 11 && code <= 17) return HKEY_CURRENT_USER;
  if (IsRunFamily(code) || (code >= kLocationWinLoad && code <= kLocationNotify))
    return HKEY_LOCAL_MACHINE;
  return nullptr;
}

bool IsMachineRunFamily(int code) {
  return IsRunFamily(code) && LocationRoot(code) == HKEY_LOCAL_MACHINE;
}

const char* LocationKeyPath(int code) {
  return IsRunFamily(code) ? kRunKeyPaths[RootIndex(code)][Position(code)] : "";
}

const char* DisabledStoreSubKey(int index) {
  return index >= 0 && index < kDisabledStoreCount ? kDisabledStoreSubKeys[index] : "";
}

int DisabledStoreKey(int code, char* out, int capacity) {
  if (out == nullptr || capacity <= 0) return 0;
  out[0] = '\0';
  int store = -1;
  if (IsRunFamily(code)) store = Position(code);
  if (code == kLocationWinLoad) store = kWinLoadStore;
  if (code == kLocationWinRun) store = kWinRunStore;
  if (code == kLocationNotify) store = kWinNotifyStore;
  if (store < 0) return 0;
  CopyBounded(out, static_cast<std::size_t>(capacity), kDisabledIndexKey);
  AppendBounded(out, static_cast<std::size_t>(capacity), "\\");
  return static_cast<int>(
      AppendBounded(out, static_cast<std::size_t>(capacity), kDisabledStoreSubKeys[store]));
}

const char* ShortLocationName(int code) {
  return StartupPointCode(code) ? StartupPointShortName(code) : FindText(kShortNames, code);
}

// Held in the disabled index, or a Run value Task Manager turned off.
bool IsTitleDisabled(const char* title) {
  if (title == nullptr || title[0] == '\0') return false;
  RegKey key;
  if (key.Open(HKEY_LOCAL_MACHINE, kDisabledIndexKey, KEY_QUERY_VALUE) &&
      RegQueryValueExA(key.get(), title, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS)
    return true;
  for (int code : {kLocationMachineRun, kLocationFirstPerUser, 21})
    if (StartupApprovedOff(code, title)) return true;
  return false;
}

int LocationLabel(const char* title, int code, char* out, int capacity) {
  return LocationLabelOf(code <= kLocationNotify && IsTitleDisabled(title), code, out, capacity);
}

int LocationLabelOf(bool disabled, int code, char* out, int capacity) {
  if (out == nullptr || capacity <= 0) return 0;
  out[0] = '\0';
  if (capacity > kLabelSize) capacity = kLabelSize;
  for (const CategoryLabel& row : kCategoryLabels)
    if (row.code == code) {
      LocalString(row.string, out, capacity);
      return 0;
    }
  if (StartupPointCode(code))
    return static_cast<int>(CopyBounded(out, static_cast<std::size_t>(capacity),
                                        StartupPointLabel(code)));
  if (code > kLocationNotify) return 0;
  if (disabled) AppendDisabledMarker(out, capacity);
  return AppendLabelBody(code, out, capacity);
}
