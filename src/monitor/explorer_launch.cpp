#include "explorer_launch.h"

#include <windows.h>
#include <shellapi.h>

#include "foundation/handles.h"
#include "foundation/msgbox.h"
#include "foundation/paths.h"
#include "monitor.h"
#include "resource.h"
#include "text.h"

namespace {

// The trailing blank is part of the name the shell is asked to open.
inline constexpr char kExplorerOpenName[] = "KorvaneEx.exe ";
inline constexpr char kExplorerFile[] = "\\KorvaneEx.exe";
inline constexpr char kRestartSwitch[] = " -RESTART";

}  // namespace

void StartExplorer(const char* pageSwitch) {
  char folder[kPathSize] = "";
  ProgramFolder(folder, sizeof folder);
  const auto result = reinterpret_cast<INT_PTR>(ShellExecuteA(
      g_monitor.window, "open", kExplorerOpenName, pageSwitch, folder, SW_SHOWNORMAL));
  if (result > 32) return;
  ShowStringMessage(g_monitor.window, IDS_EXPLORER_MISSING, MB_ICONERROR | MB_OK | MB_TOPMOST);
}

void StartExplorerRestart() {
  char folder[kPathSize] = "";
  ProgramFolder(folder, sizeof folder);
  char program[kPathSize + 16] = "";
  CopyBounded(program, sizeof program, folder);
  AppendBounded(program, sizeof program, kExplorerFile);
  char commandLine[sizeof program + 16] = "\"";
  AppendBounded(commandLine, sizeof commandLine, program);
  AppendBounded(commandLine, sizeof commandLine, "\"");
  AppendBounded(commandLine, sizeof commandLine, kRestartSwitch);

  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION started = {};
  if (!CreateProcessA(program, commandLine, nullptr, nullptr, FALSE, 0, nullptr,
                      folder[0] ? folder : nullptr, &startup, &started))
    return;
  Handle process(started.hProcess);
  Handle thread(started.hThread);
}
