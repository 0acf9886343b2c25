#include "explorer_jobs.h"

#include <windows.h>

#include "categories/machine_job.h"
#include "categories/windows_settings.h"
#include "machine_job_text.h"
#include "resource.h"
#include "foundation/msgbox.h"
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

// Started elevated by another account, the job reads that account's settings, which may
// hold no approved mode: writing its 0 would switch automatic updates off.
void ExplorerWriteUpdateMode() {
  const int mode = ApprovedUpdateMode();
  if (mode > 0) WriteLiveUpdateMode(mode);
}

void ExplorerWritePrefix() {
  char prefix[kPrefixSize] = "";
  ApprovedPrefix(prefix, kPrefixSize);
  WriteLivePrefix(prefix);
}

}  // namespace

ExplorerJob ExplorerJobFor(const char* commandLine) {
  if (commandLine == nullptr) return ExplorerJob::None;
  if (MachineJobWordsFind(commandLine)) return ExplorerJob::Machine;
  for (const auto& row : kJobSwitches)
    if (ContainsNoCase(commandLine, row.switchText)) return row.job;
  return ExplorerJob::None;
}

int ExplorerRunJob(ExplorerJob job, const char* commandLine) {
  // A job may ask before it writes (another account's undo); its box bears the window's name.
  char caption[128] = "";
  if (LocalString(IDS_EXPLORER_CAPTION, caption, sizeof caption) > 0) MessageCaptionSet(caption);
  switch (job) {
    case ExplorerJob::Machine: return MachineJobFromCommandLine(commandLine);
    case ExplorerJob::Restore: ExplorerRestoreDelayed(); break;
    case ExplorerJob::UpdateMode: ExplorerWriteUpdateMode(); break;
    case ExplorerJob::Prefix: ExplorerWritePrefix(); break;
    case ExplorerJob::None: break;
  }
  return 0;
}
