#include "explorer_jobs.h"

#include <windows.h>

#include "categories/windows_settings.h"
#include "foundation/strings.h"
#include "startup/delayed_start.h"
#include "text.h"

namespace {

inline constexpr int kEnglishLanguage = 9;

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

void ExplorerWritePrefix() {
  char prefix[kPrefixSize] = "";
  ApprovedPrefix(prefix, kPrefixSize);
  WriteLivePrefix(prefix);
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
    case ExplorerJob::UpdateMode: WriteLiveUpdateMode(ApprovedUpdateMode()); break;
    case ExplorerJob::Prefix: ExplorerWritePrefix(); break;
    case ExplorerJob::None: break;
  }
}
