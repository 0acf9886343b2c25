#include "setup/settings_init.h"

#include "categories/system_files.h"
#include "foundation/datetime.h"
#include "foundation/options.h"
#include "foundation/paths.h"
#include "foundation/settings.h"
#include "foundation/strings.h"
#include "foundation/trace.h"
#include "item_codes.h"
#include "resource.h"
#include "startup/self_autostart.h"
#include "startup/snapshot.h"
#include "startup/startup_actions.h"
#include "text.h"

namespace {

constexpr const char* kFirstRunSubKeys[] = {"Nuts", "Cookies", "Options", "Run",
                                           "IEHelpers", "HostFile", "Tasks"};

bool HasText(HKEY root, const char* subkey, const char* value) {
  char text[1024];
  return SettingsReadString(root, subkey, value, text, sizeof text) != 0;
}

void CreateFirstRunTree() {
  SettingsCreateKey(HKEY_CURRENT_USER, kMakerKey);
  SettingsCreateKey(HKEY_CURRENT_USER, kBaseKey);
  for (const char* name : kFirstRunSubKeys) {
    char path[kPathSize];
    CopyBounded(path, sizeof path, kBaseKey);
    AppendBounded(path, sizeof path, "\\");
    AppendBounded(path, sizeof path, name);
    SettingsCreateKey(HKEY_CURRENT_USER, path);
  }
}

// An autostart entry left under the explorer's title gives way to the monitor's own.
void CreateInitialValues() {
  TraceNote("Create Initial Values", "");
  RebuildKnownEntries();
  char title[128];
  LocalString(IDS_EXPLORER_CAPTION, title, sizeof title);
  RemoveStartupEntry(title, "korvane.exe", "", kLocationMachineRun);
  SetSelfAutostart(true);
}

void WriteStoreVersion() {
  SettingsWriteString(HKEY_CURRENT_USER, kBaseKey, "Version", kStoreVersion);
}

}  // namespace

int SettingsFirstRun() {
  if (HasText(HKEY_CURRENT_USER, kBaseKey, "")) return 0;
  TraceNote("Get Initial Values", "FIRSTTIME");
  CreateFirstRunTree();
  char stamp[kDateTimeTextSize];
  NowDateTimeText(stamp);
  SettingsWriteString(HKEY_CURRENT_USER, kBaseKey, "", stamp);
  CreateInitialValues();
  return 1;
}

void SettingsSystemFilesOnce() {
  if (HasText(HKEY_LOCAL_MACHINE, kSystemFilesKey, "")) return;
  SettingsCreateKey(HKEY_LOCAL_MACHINE, kSystemFilesKey);
  InitSystemFiles();
}

void SettingsVersionAndCleanup() {
  char version[256];
  if (SettingsReadString(HKEY_CURRENT_USER, kBaseKey, "Version", version, sizeof version) == 0) {
    ResetKnownEntries();
    WriteStoreVersion();
    return;
  }
  if (!ContainsNoCase(version, kStoreVersion)) {
    ResetKnownEntries();
    WriteStoreVersion();
    CreateInitialValues();
  }
  if (OptionRead(kOptCleanup) > 0) {
    ResetKnownEntries();
    OptionSet(OptionRowFor(kOptCleanup).name, 0);
  }
}
