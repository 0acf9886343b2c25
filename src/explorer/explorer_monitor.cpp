#include "explorer_monitor.h"

#include <windows.h>

#include "foundation/handles.h"
#include "foundation/paths.h"
#include "resource.h"
#include "text.h"

namespace {

inline constexpr int kClassNameSize = 32;
inline constexpr char kMonitorFile[] = "\\Korvane.exe";

}  // namespace

bool MonitorRunning() {
  char className[kClassNameSize];
  if (LoadStringA(GetModuleHandleA(nullptr), IDS_CLASS_NAME, className, kClassNameSize) == 0)
    return false;
  return FindWindowA(className, nullptr) != nullptr;
}

bool StartMonitor() {
  char folder[kPathSize] = "";
  if (ProgramFolder(folder, sizeof folder) == 0) return false;
  char program[kPathSize + sizeof kMonitorFile] = "";
  CopyBounded(program, sizeof program, folder);
  AppendBounded(program, sizeof program, kMonitorFile);
  char commandLine[sizeof program + 2] = "\"";
  AppendBounded(commandLine, sizeof commandLine, program);
  AppendBounded(commandLine, sizeof commandLine, "\"");

  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION started = {};
  if (!CreateProcessA(program, commandLine, nullptr, nullptr, FALSE, 0, nullptr, folder,
                      &startup, &started))
    return false;
  Handle process(started.hProcess);
  Handle thread(started.hThread);
  return true;
}
