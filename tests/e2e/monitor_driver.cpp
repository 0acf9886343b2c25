#include "monitor_driver.h"

#include <fstream>
#include <iterator>

namespace {

inline constexpr UINT kTrayIconId = 6036;
inline constexpr int kTrayVisibilityCommand = 6053;

void ResetSurroundings() {
  const auto forgetSettings = [] {
    for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
      RegDeleteTreeA(root, "Software\\Tamsel");
      RegDeleteKeyA(root, "Software\\Tamsel");
    }
    RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, kRunKey, "Korvane");
  };
  forgetSettings();  // first, so that no exit question holds a running monitor up
  for (HWND window : MonitorWindows()) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    Handle process(OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, processId));
    PostMessageA(window, WM_COMMAND, kMonitorExitCommand, 0);
    if (process && WaitForSingleObject(process.get(), 3000) != WAIT_OBJECT_0) {
      TerminateProcess(process.get(), 1);
      WaitForSingleObject(process.get(), 3000);
    }
  }
  forgetSettings();
  DeleteFileA(TraceFilePath().c_str());
  DeleteFileA(HistoryFilePath().c_str());
}

}  // namespace

std::string BinFolder() {
  char path[MAX_PATH] = "";
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  const std::string folder(path);
  return folder.substr(0, folder.find_last_of('\\'));
}

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
  const ULONGLONG end = GetTickCount64() + timeoutMs;
  while (!condition()) {
    if (GetTickCount64() >= end) return false;
    Sleep(50);
  }
  return true;
}

bool ProgramRun::Start(const char* program, const char* arguments, DWORD flags) {
  std::string path = BinFolder() + "\\" + program;
  std::string commandLine = "\"" + path + "\" " + arguments;
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started = {};
  if (!CreateProcessA(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, flags, nullptr,
                      BinFolder().c_str(), &startup, &started))
    return false;
  process_.Reset(started.hProcess);
  Handle thread(started.hThread);
  id_ = started.dwProcessId;
  return true;
}

DWORD ProgramRun::ExitCode() const {
  DWORD code = STILL_ACTIVE;
  if (process_) GetExitCodeProcess(process_.get(), &code);
  return code;
}

bool ProgramRun::CountStarts() {
  job_.Reset(CreateJobObjectA(nullptr, nullptr));
  return job_ && AssignProcessToJobObject(job_.get(), process_.get());
}

DWORD ProgramRun::Starts() const {
  JOBOBJECT_BASIC_ACCOUNTING_INFORMATION accounting = {};
  if (!job_ || !QueryInformationJobObject(job_.get(), JobObjectBasicAccountingInformation,
                                          &accounting, sizeof accounting, nullptr))
    return 0;
  return accounting.TotalProcesses;
}

std::vector<HWND> MonitorWindows() {
  std::vector<HWND> windows;
  for (HWND w = FindWindowExA(nullptr, nullptr, kMonitorClass, nullptr); w;
       w = FindWindowExA(nullptr, w, kMonitorClass, nullptr))
    windows.push_back(w);
  return windows;
}

HWND ProcessWindow(DWORD processId, const char* className, const char* caption, bool visible) {
  for (HWND window = FindWindowExA(nullptr, nullptr, className, caption); window;
       window = FindWindowExA(nullptr, window, className, caption)) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == processId && (!visible || IsWindowVisible(window))) return window;
  }
  return nullptr;
}

HWND WaitDialog(DWORD processId, const char* caption, DWORD timeoutMs) {
  HWND dialog = nullptr;
  WaitUntil([&] { return (dialog = FindDialog(processId, caption)) != nullptr; }, timeoutMs);
  return dialog;
}

std::string DialogItemText(HWND dialog, int controlId) {
  char text[1024] = "";
  GetDlgItemTextA(dialog, controlId, text, sizeof text);
  return text;
}

std::string BoxText(HWND box) {
  std::string text;
  char className[16], part[1024];
  for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    GetClassNameA(child, className, sizeof className);
    if (lstrcmpiA(className, "Static") == 0 && GetWindowTextA(child, part, sizeof part) > 0)
      text += part;
  }
  return text;
}

bool TrayIconShown(HWND monitor, DWORD message) {
  // Modifying nothing succeeds exactly when the icon is there.
  NOTIFYICONDATAA data = {};
  data.cbSize = sizeof data;
  data.hWnd = monitor;
  data.uID = kTrayIconId;
  return Shell_NotifyIconA(message, &data) != FALSE;
}

bool WaitMessagesHandled(HWND monitor) {
  PostMessageA(monitor, WM_COMMAND, kTrayVisibilityCommand, 1);
  if (!WaitUntil([&] { return !TrayIconShown(monitor); })) return false;
  PostMessageA(monitor, WM_COMMAND, kTrayVisibilityCommand, 0);
  return WaitUntil([&] { return TrayIconShown(monitor); });
}

bool CyclesUntil(HWND monitor, const std::function<bool()>& condition) {
  return WaitUntil([&] {
    RunSweepCycle(monitor);
    return condition();
  });
}

HWND WatchMonitor(const ProgramRun& monitor) {
  const HWND window = MonitorWindowOf(monitor.Id());
  EXPECT_TRUE(WaitUntil([&] { return TrayIconShown(window); }));
  return window;
}

HWND DialogAfterCycles(const ProgramRun& monitor, HWND window, const char* caption) {
  HWND dialog = nullptr;
  for (int cycle = 0; cycle < 2 && !dialog; ++cycle) {
    RunSweepCycle(window);
    dialog = WaitDialog(monitor.Id(), caption, 4000);
  }
  return dialog;
}

HWND AlertNamed(const ProgramRun& monitor, HWND window, const char* name) {
  const HWND alert = DialogAfterCycles(monitor, window, kAlertCaption);
  EXPECT_TRUE(alert == nullptr || DialogItemText(alert, 100) == name)
      << "alert for " << DialogItemText(alert, 100) << ", not " << name;
  return alert;
}

bool QuietForTwoCycles(const ProgramRun& monitor, HWND window, const char* caption) {
  RunSweepCycle(window);
  RunSweepCycle(window);
  return WaitMessagesHandled(window) && FindDialog(monitor.Id(), caption) == nullptr;
}

bool WriteTextFile(const std::string& path, const std::string& bytes, DWORD attributes) {
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  if (!file.write(bytes.data(), static_cast<std::streamsize>(bytes.size())) || !file.flush())
    return false;
  file.close();
  return attributes == 0 || SetFileAttributesA(path.c_str(), attributes);
}

int TraceCount(const char* text) {
  const std::string trace = FileText(TraceFilePath());
  int count = 0;
  for (size_t at = trace.find(text); at != std::string::npos; at = trace.find(text, at + 1))
    ++count;
  return count;
}

DWORD ReadDword(HKEY root, const char* subkey, const char* name) {
  DWORD number = 0, size = sizeof number;
  const LSTATUS read = RegGetValueA(root, subkey, name, RRF_RT_REG_DWORD, nullptr, &number, &size);
  return read == ERROR_SUCCESS ? number : kNoDword;
}

void WriteDword(HKEY root, const char* subkey, const char* name, DWORD number) {
  number == kNoDword ? RegDeleteKeyValueA(root, subkey, name)
                     : RegSetKeyValueA(root, subkey, name, REG_DWORD, &number, sizeof number);
}

void MonitorTest::SetUp() { ResetSurroundings(); }

void MonitorTest::TearDown() {
  for (ProgramRun& run : runs_) run.Kill();
  runs_.clear();
  ResetSurroundings();
}

ProgramRun& MonitorTest::Launch(const char* arguments, bool ready) {
  ProgramRun& run = runs_.emplace_back();
  EXPECT_TRUE(run.Start("Korvane.exe", arguments));
  if (ready) {
    EXPECT_TRUE(WaitUntil([&] { return MonitorWindowOf(run.Id()) != nullptr; }));
    EXPECT_TRUE(run.WaitIdle());
  }
  return run;
}
