#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include "explorer_frame.h"
#include "explorer_init.h"
#include "explorer_jobs.h"
#include "explorer_monitor.h"
#include "explorer_options.h"
#include "explorer_prefetch.h"
#include "explorer_switches.h"
#include "foundation/msgbox.h"
#include "foundation/options.h"
#include "foundation/paths.h"
#include "foundation/settings.h"
#include "foundation/strings.h"
#include "foundation/trace.h"
#include "reports/report_run.h"
#include "resource.h"
#include "text.h"

namespace {

inline constexpr int kNameSize = 32;
inline constexpr char kTraceFileName[] = "\\sendex2ts.txt";

struct ExplorerNames {
  char className[kNameSize];
  char caption[kNameSize];
};

bool ExplorerLoadNames(HINSTANCE instance, ExplorerNames& names) {
  return LoadStringA(instance, IDS_EXPLORER_CLASS_NAME, names.className, kNameSize) != 0 &&
         LoadStringA(instance, IDS_EXPLORER_LOADING, names.caption, kNameSize) != 0;
}

int ExplorerStoredStartTab() {
  const OptionRow& row = OptionRowFor(kOptStartTab);
  return OptionGet(row.name, row.explorerDefault);
}

// One explorer per user: a second start hands its page (or the close request) to the first,
// and lets it come to the foreground.
bool ExplorerHandOver(const char* className, const ExplorerSwitches& switches) {
  HWND running = FindWindowA(className, nullptr);
  if (running == nullptr) return false;
  DWORD process = 0;
  if (GetWindowThreadProcessId(running, &process) != 0) AllowSetForegroundWindow(process);
  const int command = switches.quit ? ID_CMD_CLOSE : switches.pageCommand;
  PostMessageA(running, WM_COMMAND, command, 0);
  return true;
}

void ExplorerSetTraceFile() {
  char path[kPathSize + sizeof kTraceFileName] = "";
  ProgramFolder(path, kPathSize);
  AppendBounded(path, sizeof path, kTraceFileName);
  TraceSetFile(path);
}

bool ExplorerInitCommonControls() {
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  return InitCommonControlsEx(&controls) != FALSE;
}

int ExplorerMessageLoop() {
  MSG message = {};
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return static_cast<int>(message.wParam);
}

int ExplorerRun(HWND frame, const ExplorerSwitches& switches) {
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  ExplorerInitCommonControls();
  ExplorerSetTraceFile();
  ExplorerInitialize();
  PrefetchCleanup();
  PostMessageA(frame, WM_COMMAND, switches.pageCommand, 0);
  const int result = ExplorerMessageLoop();
  if (SUCCEEDED(com)) CoUninitialize();
  return result;
}

}  // namespace

// The jobs and reports run before the single-instance test, so a running explorer never
// swallows them; a report's file name may hold any switch's text, so it is looked at first.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
  ExplorerNames names = {};
  if (!ExplorerLoadNames(instance, names)) return 0;
  const char* line = commandLine ? commandLine : "";
  const ReportSwitch report = ParseReportSwitch(line);
  if (report.present) return ReportRun(report);
  if (line[0] != '\0') {
    const ExplorerJob job = ExplorerJobFor(line);
    if (job != ExplorerJob::None) return ExplorerRunJob(job, line);
  }
  const ExplorerSwitches switches = ParseExplorerSwitches(line, ExplorerStoredStartTab());
  if (switches.startMonitor && !MonitorRunning()) StartMonitor();
  if (ExplorerHandOver(names.className, switches) || switches.quit) return 0;
  MessageCaptionSet(names.caption);
  if (!ExplorerFrameRegister(instance, names.className)) return 0;
  HWND frame = ExplorerFrameCreate(instance, names.className, names.caption);
  if (frame == nullptr) return 0;
  return ExplorerRun(frame, switches);
}
