#include "startup/startup_places.h"

#include "foundation/paths.h"
#include "foundation/platform.h"
#include "foundation/settings.h"
#include "startup/locations.h"
#include "startup/startup_action_steps.h"
#include "startup/startup_points.h"

namespace {

constexpr int kLastRunFamilyCode = 27;
constexpr int kFirstWow64Code = 21;
constexpr char kWinlogonKey[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";
// AppInit_Dlls per machine; per user, the win.ini lines.
constexpr char kAppInitKey[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Windows";
constexpr char kShellFoldersKey[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr const char* kStartupFolderValues[] = {"Startup", "Common Startup"};

struct HookKey {
  const char* path;
  bool subtree;  // Notify packages are sub-keys of Winlogon
};

constexpr HookKey kHookKeys[] = {
    {kWinlogonKey, true},
    {kActionDelayLoadKey, false},
    {kActionTaskSchedulerKey, false},
    {kActionShellHooksKey, false},
    {kAppInitKey, false},
};

void StartupPlacesRunFamily(std::vector<StartupPlace>& places) {
  for (int code = 1; code <= kLastRunFamilyCode; ++code) {
    if (!IsRunFamily(code) || (code >= kFirstWow64Code && !g_wow64RunKey)) continue;
    places.push_back({LocationRoot(code), LocationKeyPath(code), false});
  }
}

// The folders as the enumeration reads them, and the keys that name them.
void StartupPlacesFolders(std::vector<StartupPlace>& places) {
  for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
    places.push_back({root, kShellFoldersKey, false});
    for (const char* value : kStartupFolderValues) {
      char folder[kPathSize] = "";
      if (SettingsReadString(root, kShellFoldersKey, value, folder, sizeof folder) > 0)
        places.push_back({nullptr, folder, false});
    }
  }
}

// win.ini's load= and run= lines. The NT family keeps its [windows] section in a per-user
// key; only the 9x family reads the file, whose folder is a busy one.
void StartupPlacesWinIni(std::vector<StartupPlace>& places) {
  places.push_back({HKEY_CURRENT_USER, kAppInitKey, false});
  if (!IsWin9xFamily()) return;
  char windows[kPathSize] = "";
  const UINT length = GetWindowsDirectoryA(windows, sizeof windows);
  if (length > 0 && length < sizeof windows) places.push_back({nullptr, windows, false});
}

}  // namespace

std::vector<StartupPlace> StartupPlaces() {
  std::vector<StartupPlace> places;
  StartupPlacesRunFamily(places);
  for (const HookKey& hook : kHookKeys)
    places.push_back({HKEY_LOCAL_MACHINE, hook.path, hook.subtree});
  StartupPlacesFolders(places);
  StartupPlacesWinIni(places);
  StartupPointPlaces(places);
  return places;
}
