#include "notify_monitor.h"

#include <shellapi.h>

#include <string>

#include "notify_host_times.h"

namespace {

constexpr char kMonitorClass[] = "Korvane";
constexpr int kExitCommand = 6030;
constexpr UINT kTrayIconId = 6036;
constexpr DWORD kStartWaitMs = 20000;
constexpr DWORD kExitWaitMs = 5000;
constexpr DWORD kPollMs = 20;

std::string NotifyBinFolder() {
  char path[MAX_PATH] = "";
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  const std::string module(path, length < MAX_PATH ? length : 0);
  return module.substr(0, module.find_last_of('\\'));
}

// The monitor's first run writes its own autostart value and settings; a bench leaves none.
void NotifyForgetSettings() {
  for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
    RegDeleteTreeA(root, "Software\\Tamsel");
    RegDeleteKeyA(root, "Software\\Tamsel");
  }
  RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, kNotifyRunKey, "Korvane");
}

HWND NotifyFindWindow(DWORD processId, const char* className, const char* caption,
                      bool visible) {
  for (HWND window = FindWindowExA(nullptr, nullptr, className, caption); window;
       window = FindWindowExA(nullptr, window, className, caption)) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == processId && (!visible || IsWindowVisible(window))) return window;
  }
  return nullptr;
}

// Modifying nothing succeeds exactly when the icon is there.
bool NotifyTrayIconShown(HWND window) {
  NOTIFYICONDATAA data = {};
  data.cbSize = sizeof data;
  data.hWnd = window;
  data.uID = kTrayIconId;
  return Shell_NotifyIconA(NIM_MODIFY, &data) != FALSE;
}

bool NotifyLaunch(NotifyMonitor& monitor) {
  const std::string folder = NotifyBinFolder();
  const std::string program = folder + "\\Korvane.exe";
  std::string commandLine = "\"" + program + "\"";
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started = {};
  if (!CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      folder.c_str(), &startup, &started))
    return false;
  CloseHandle(started.hThread);
  monitor.process = started.hProcess;
  monitor.id = started.dwProcessId;
  return true;
}

// A monitor left running would take the bench's start for a second one and stay the only one.
void NotifyEndRunning() {
  while (HWND running = FindWindowA(kMonitorClass, nullptr)) {
    DWORD processId = 0;
    GetWindowThreadProcessId(running, &processId);
    HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, processId);
    if (process == nullptr) return;
    PostMessageA(running, WM_COMMAND, kExitCommand, 0);
    if (WaitForSingleObject(process, kExitWaitMs) != WAIT_OBJECT_0) TerminateProcess(process, 1);
    const bool ended = WaitForSingleObject(process, kExitWaitMs) == WAIT_OBJECT_0;
    CloseHandle(process);
    if (!ended) return;
  }
}

}  // namespace

bool NotifyMonitorStart(NotifyMonitor& monitor) {
  NotifyForgetSettings();
  NotifyEndRunning();
  if (!NotifyLaunch(monitor)) return false;
  const ULONGLONG end = GetTickCount64() + kStartWaitMs;
  while (GetTickCount64() < end) {
    monitor.window = NotifyFindWindow(monitor.id, kMonitorClass, nullptr, false);
    if (monitor.window && NotifyTrayIconShown(monitor.window)) return true;
    Sleep(kPollMs);
  }
  return false;
}

void NotifyMonitorStop(NotifyMonitor& monitor) {
  if (monitor.process) {
    if (monitor.window) PostMessageA(monitor.window, WM_COMMAND, kExitCommand, 0);
    if (WaitForSingleObject(monitor.process, kExitWaitMs) != WAIT_OBJECT_0 &&
        TerminateProcess(monitor.process, 1))
      WaitForSingleObject(monitor.process, kExitWaitMs);
    CloseHandle(monitor.process);
  }
  monitor = {};
  NotifyForgetSettings();
  DeleteFileA((NotifyBinFolder() + "\\history.txt").c_str());
}

HWND NotifyMonitorDialog(const NotifyMonitor& monitor, const char* caption) {
  return NotifyFindWindow(monitor.id, "#32770", caption, true);
}

double NotifyMonitorCpuMs(const NotifyMonitor& monitor) {
  return NotifyProcessCpuMs(monitor.process, "Korvane.exe");
}

std::string NotifyReadString(const char* subkey, const char* name) {
  char text[512] = "";
  DWORD size = sizeof text - 1;
  if (RegGetValueA(HKEY_CURRENT_USER, subkey, name, RRF_RT_REG_SZ, nullptr, text, &size) !=
      ERROR_SUCCESS)
    return "";
  return text;
}
