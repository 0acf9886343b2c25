#include "monitor_driver.h"

#include <shellapi.h>

namespace {

inline constexpr char kTamselKey[] = "Software\\Tamsel";
inline constexpr char kOptionsKey[] = "Software\\Tamsel\\Korvane\\Options";
inline constexpr UINT kTrayIconId = 6036;
inline constexpr UINT_PTR kMonitorTimerId = 1;
inline constexpr int kTrayVisibilityCommand = 6053;
inline constexpr DWORD kCycleGapMs = 1100;
inline constexpr DWORD kPollMs = 50;

void DeleteMachineRunValue() {
  RegKey run;
  if (run.Open(HKEY_LOCAL_MACHINE, kMachineRunKey, KEY_SET_VALUE))
    RegDeleteValueA(run.get(), "Korvane");
}

void ForgetSettings() {
  RegDeleteTreeA(HKEY_CURRENT_USER, kTamselKey);
  RegDeleteKeyA(HKEY_CURRENT_USER, kTamselKey);
  RegDeleteTreeA(HKEY_LOCAL_MACHINE, kTamselKey);
  RegDeleteKeyA(HKEY_LOCAL_MACHINE, kTamselKey);
  DeleteMachineRunValue();
}

void StopMonitor(HWND window) {
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  Handle process(OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, processId));
  PostMessageA(window, WM_COMMAND, kMonitorExitCommand, 0);
  if (process && WaitForSingleObject(process.get(), 3000) != WAIT_OBJECT_0) {
    TerminateProcess(process.get(), 1);
    WaitForSingleObject(process.get(), 3000);
  }
}

void ResetSurroundings() {
  ForgetSettings();  // first, so that no exit question holds a running monitor up
  for (HWND window : MonitorWindows()) StopMonitor(window);
  ForgetSettings();
  DeleteFileA(TraceFilePath().c_str());
}

struct WindowSearch {
  DWORD processId;
  const char* className;
  const char* caption;  // null: any
  HWND found;
};

BOOL CALLBACK FindWindowVisit(HWND window, LPARAM parameter) {
  auto* search = reinterpret_cast<WindowSearch*>(parameter);
  char className[16] = "", caption[128] = "";
  GetClassNameA(window, className, sizeof className);
  GetWindowTextA(window, caption, sizeof caption);
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  // Visible only once the window has finished its set-up.
  if (processId != search->processId || lstrcmpA(className, search->className) != 0 ||
      (search->caption && lstrcmpA(caption, search->caption) != 0) || !IsWindowVisible(window))
    return TRUE;
  search->found = window;
  return FALSE;
}

HWND FindProcessWindow(DWORD processId, const char* className, const char* caption) {
  WindowSearch search = {processId, className, caption, nullptr};
  EnumWindows(FindWindowVisit, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

BOOL CALLBACK CollectStaticText(HWND child, LPARAM parameter) {
  char className[16] = "", text[1024] = "";
  GetClassNameA(child, className, sizeof className);
  if (lstrcmpiA(className, "Static") != 0 || GetWindowTextA(child, text, sizeof text) == 0)
    return TRUE;
  try {
    reinterpret_cast<std::string*>(parameter)->append(text);
  } catch (...) {
    return FALSE;
  }
  return TRUE;
}

NOTIFYICONDATAA TrayIconRecord(HWND monitor) {
  NOTIFYICONDATAA data = {};
  data.cbSize = sizeof data;
  data.hWnd = monitor;
  data.uID = kTrayIconId;
  return data;
}

}  // namespace

std::string BinFolder() {
  char path[MAX_PATH] = "";
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path);
  return folder.substr(0, folder.find_last_of('\\'));
}

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
  const ULONGLONG end = GetTickCount64() + timeoutMs;
  while (!condition()) {
    if (GetTickCount64() >= end) return false;
    Sleep(kPollMs);
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

bool ProgramRun::WaitExit(DWORD timeoutMs) const {
  return process_ && WaitForSingleObject(process_.get(), timeoutMs) == WAIT_OBJECT_0;
}

bool ProgramRun::WaitIdle(DWORD timeoutMs) const {
  return process_ && WaitForInputIdle(process_.get(), timeoutMs) == 0;
}

bool ProgramRun::Running() const {
  return process_ && WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT;
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

void ProgramRun::Kill() {
  if (!Running()) return;
  TerminateProcess(process_.get(), 1);
  WaitForSingleObject(process_.get(), 3000);
}

std::vector<HWND> MonitorWindows() {
  std::vector<HWND> windows;
  for (HWND w = FindWindowExA(nullptr, nullptr, kMonitorClass, nullptr); w;
       w = FindWindowExA(nullptr, w, kMonitorClass, nullptr))
    windows.push_back(w);
  return windows;
}

HWND MonitorWindowOf(DWORD processId) {
  for (HWND window : MonitorWindows()) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == processId) return window;
  }
  return nullptr;
}

HWND FindDialog(DWORD processId, const char* caption) {
  return FindProcessWindow(processId, "#32770", caption);
}

HWND FindBox(DWORD processId) { return FindDialog(processId, kMonitorClass); }

std::string DialogItemText(HWND dialog, int controlId) {
  char text[1024] = "";
  GetDlgItemTextA(dialog, controlId, text, sizeof text);
  return text;
}

HWND FindPopupMenu(DWORD processId) { return FindProcessWindow(processId, "#32768", nullptr); }

std::string BoxText(HWND box) {
  std::string text;
  EnumChildWindows(box, CollectStaticText, reinterpret_cast<LPARAM>(&text));
  return text;
}

void PressBoxButton(HWND box, int buttonId) {
  PostMessageA(box, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(box, buttonId)));
}

bool TrayIconShown(HWND monitor) {
  // Modifying nothing succeeds exactly when the icon is there.
  NOTIFYICONDATAA data = TrayIconRecord(monitor);
  return Shell_NotifyIconA(NIM_MODIFY, &data) != FALSE;
}

void TrayIconForget(HWND monitor) {
  NOTIFYICONDATAA data = TrayIconRecord(monitor);
  Shell_NotifyIconA(NIM_DELETE, &data);
}

void SendTicks(HWND monitor, int count) {
  for (int i = 0; i < count; ++i) PostMessageA(monitor, WM_TIMER, kMonitorTimerId, 0);
}

bool WaitMessagesHandled(HWND monitor) {
  PostMessageA(monitor, WM_COMMAND, kTrayVisibilityCommand, 1);
  if (!WaitUntil([&] { return !TrayIconShown(monitor); })) return false;
  PostMessageA(monitor, WM_COMMAND, kTrayVisibilityCommand, 0);
  return WaitUntil([&] { return TrayIconShown(monitor); });
}

void WaitCycleGap() { Sleep(kCycleGapMs); }

void WriteSetting(const char* subkey, const char* name, const char* value) {
  WriteRegText(HKEY_CURRENT_USER, subkey, name, value);
}

void WriteRegText(HKEY root, const char* subkey, const char* name, const char* value) {
  RegKey key;
  ASSERT_TRUE(key.Create(root, subkey, KEY_SET_VALUE));
  RegSetValueExA(key.get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                 static_cast<DWORD>(lstrlenA(value) + 1));
}

void WriteOption(const char* name, const char* value) { WriteSetting(kOptionsKey, name, value); }

std::string AutostartCommand() { return BinFolder() + "\\korvane.exe -expressboot"; }

std::string TraceFilePath() { return BinFolder() + "\\send2ts.txt"; }

std::string HistoryFilePath() { return BinFolder() + "\\history.txt"; }

std::string ReadTextFile(const std::string& path) {
  Handle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                          nullptr, OPEN_EXISTING, 0, nullptr));
  if (!file) return "";
  std::string text(GetFileSize(file.get(), nullptr), '\0');
  DWORD read = 0;
  if (text.empty() || !ReadFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &read, nullptr))
    return "";
  text.resize(read);
  return text;
}

HWND WatchMonitor(const ProgramRun& monitor) {
  const HWND window = MonitorWindowOf(monitor.Id());
  EXPECT_TRUE(WaitUntil([&] { return TrayIconShown(window); }));
  return window;
}

void RunSweepCycle(HWND monitor) {
  WaitCycleGap();
  SendTicks(monitor, 17);
}

HWND DialogAfterCycles(const ProgramRun& monitor, HWND window, const char* caption) {
  HWND dialog = nullptr;
  for (int cycle = 0; cycle < 2 && !dialog; ++cycle) {
    RunSweepCycle(window);
    WaitUntil([&] { return (dialog = FindDialog(monitor.Id(), caption)) != nullptr; }, 4000);
  }
  return dialog;
}

HWND AlertNamed(const ProgramRun& monitor, HWND window, const char* name) {
  const HWND alert = DialogAfterCycles(monitor, window, kAlertCaption);
  if (alert) {
    EXPECT_EQ(name, DialogItemText(alert, 100));
  }
  return alert;
}

bool HistoryHas(const std::string& text) {
  return ReadTextFile(HistoryFilePath()).find(text) != std::string::npos;
}

ExplorerAside::ExplorerAside() : path_(BinFolder() + "\\KorvaneEx.exe") {
  MoveFileExA(path_.c_str(), (path_ + ".aside").c_str(), MOVEFILE_REPLACE_EXISTING);
}

ExplorerAside::~ExplorerAside() {
  MoveFileExA((path_ + ".aside").c_str(), path_.c_str(), MOVEFILE_REPLACE_EXISTING);
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
