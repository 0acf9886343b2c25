#include "explorer_jobs.h"

#include <windows.h>

#include "foundation/settings.h"
#include "foundation/strings.h"
#include "resource.h"
#include "startup/delayed_start.h"
#include "text.h"

namespace {

inline constexpr int kEnglishLanguage = 9;
inline constexpr int kPrefixSize = 257;
inline constexpr char kLiveUpdateKey[] =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\WindowsUpdate\\Auto Update";
inline constexpr char kUpdateModeValue[] = "AUOptions";
inline constexpr char kPrefixesKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\URL\\Prefixes";
inline constexpr char kDefaultPrefixKey[] =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\URL\\DefaultPrefix";
inline constexpr char kApprovedPrefixValue[] = "wwwPrefix";

constexpr struct {
  const char* switchText;
  ExplorerJob job;
} kJobSwitches[] = {
    {"-Restore", ExplorerJob::Restore},
    {"-AUOption", ExplorerJob::UpdateMode},
    {"-SetPrefix", ExplorerJob::Prefix},
};

void ExplorerRestoreDelayed() {
  ChooseLanguage();
  if (g_languageId != kEnglishLanguage) ResetTranslation();
  RestoreAllDelayed();
}

void ExplorerWriteUpdateMode() {
  const int approved = SettingsReadSmallNumber(HKEY_CURRENT_USER, kBaseKey, kUpdateModeValue);
  SettingsWriteNumber(HKEY_LOCAL_MACHINE, kLiveUpdateKey, kUpdateModeValue,
                      static_cast<DWORD>(approved));
}

void ExplorerWritePrefix() {
  char prefix[kPrefixSize] = "";
  if (SettingsReadString(HKEY_CURRENT_USER, kBaseKey, kApprovedPrefixValue, prefix,
                         kPrefixSize) == 0)
    LocalString(IDS_DEFAULT_PREFIX, prefix, kPrefixSize);
  SettingsWriteString(HKEY_LOCAL_MACHINE, kPrefixesKey, "www", prefix);
  SettingsWriteString(HKEY_LOCAL_MACHINE, kDefaultPrefixKey, "", prefix);
}

}  // namespace

ExplorerJob ExplorerJobFor(const char* commandLine) {
  if (commandLine == nullptr) return ExplorerJob::None;
  for (const auto& row : kJobSwitches)
    if (ContainsNoCase(commandLine, row.switchText)) return row.job;
  return ExplorerJob::None;
}

void ExplorerRunJob(ExplorerJob job) {
  switch (job) {
    case ExplorerJob::Restore: ExplorerRestoreDelayed(); break;
    case ExplorerJob::UpdateMode: ExplorerWriteUpdateMode(); break;
    case ExplorerJob::Prefix: ExplorerWritePrefix(); break;
    case ExplorerJob::None: break;
  }
}
