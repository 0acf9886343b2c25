#include <windows.h>
#include <shellapi.h>

#include "categories/windows_settings.h"
#include "foundation/paths.h"
#include "foundation/platform.h"
#include "foundation/strings.h"
#include "foundation/trace.h"
#include "monitor.h"
#include "sweep.h"
#include "sweep_steps.h"
#include "text.h"

namespace {

inline constexpr char kExplorerFile[] = "\\KorvaneEx.exe";

}  // namespace

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
// write would fail unseen; "runas" makes Windows ask for administrator consent. A refused
// consent leaves the value as it is, and the next cycle asks again.
void SweepSettingsHandOver(GuardedSetting setting) {
  char folder[kPathSize] = "";
  ProgramFolder(folder, kPathSize);
  char program[kPathSize + 16] = "";
  CopyBounded(program, sizeof program, folder);
  AppendBounded(program, sizeof program, kExplorerFile);
  const char* jobSwitch = setting == GuardedSetting::UpdateMode ? "-AUOption" : "-SetPrefix";
  SHELLEXECUTEINFOA start = {};
  start.cbSize = sizeof start;
  start.hwnd = g_monitor.window;
  start.lpVerb = "runas";
  start.lpFile = program;
  start.lpParameters = jobSwitch;
  start.lpDirectory = folder[0] ? folder : nullptr;
  start.nShow = SW_SHOWNORMAL;
  if (!ShellExecuteExA(&start)) TraceNote("ERROR ShellExecuteEx runas", jobSwitch);
}

int CheckWindowsSettings() { return GuardWindowsSettings(); }
