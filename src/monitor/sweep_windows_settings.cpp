#include <windows.h>

#include "categories/machine_job.h"
#include "categories/windows_settings.h"
#include "foundation/platform.h"
#include "foundation/strings.h"
#include "foundation/trace.h"
#include "monitor.h"
#include "sweep.h"
#include "sweep_steps.h"
#include "text.h"

bool SweepSettingsAsk(GuardedSetting setting, const char* caption, const char* text) {
  g_traceUserWait = true;
  const UINT icon = setting == GuardedSetting::UpdateMode ? MB_ICONEXCLAMATION : MB_ICONSTOP;
  g_sweep.settingsAsking = true;
  const bool yes =
      MessageBoxExA(nullptr, text, caption, MB_YESNO | icon | MB_TOPMOST | MB_SETFOREGROUND,
                    MAKELANGID(g_languageId, SUBLANG_DEFAULT)) == IDYES;
  g_sweep.settingsAsking = false;
  return yes;
}

// Started plainly, the explorer would run with the monitor's rights and its machine-wide
// write would fail unseen; the job asks Windows for administrator consent and carries the
// approved value itself, since the consenting account's own settings may hold another. A
// refused consent leaves the value as it is, and the next cycle asks again.
void SweepSettingsHandOver(GuardedSetting setting) {
  char prefix[kPrefixSize] = "";
  ApprovedPrefix(prefix, kPrefixSize);
  const MachineJob job = setting == GuardedSetting::UpdateMode
                             ? MachineJobUpdateMode(ApprovedUpdateMode())
                             : MachineJobPrefix(prefix);
  if (MachineJobHandOver(job) == 0) TraceNote("ERROR machine job", "guarded setting");
}

int CheckWindowsSettings() { return GuardWindowsSettings(); }
