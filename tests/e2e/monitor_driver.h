// Drives the real monitor in the test prefix: starts it, finds its windows and boxes,
// and puts the registry and files it touches back before and after each test.
#pragma once
#include <windows.h>
#include <shellapi.h>
#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "foundation/handles.h"
#include "sandbox.h"

inline constexpr char kMonitorClass[] = "Korvane";  // also the caption of its message boxes
inline constexpr char kAlertCaption[] = "Korvane New Program Alert";
inline constexpr char kBaseKey[] = "Software\\Tamsel\\Korvane";
inline constexpr char kKnownStartupKey[] = "Software\\Tamsel\\Korvane\\Run";
inline constexpr char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr int kMonitorExitCommand = 6030;
inline constexpr DWORD kWaitMs = 10000;
inline constexpr DWORD kNoDword = 0xFFFFFFFF;

// Folder of the test program, where Korvane.exe and the other test programs are built too.
std::string BinFolder();
inline std::string TraceFilePath() { return BinFolder() + "\\send2ts.txt"; }
inline std::string HistoryFilePath() { return BinFolder() + "\\history.txt"; }

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs = kWaitMs);
inline bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

class ProgramRun {
 public:
  // Starts "<bin folder>\<program>" with the arguments; false when it could not start.
  bool Start(const char* program, const char* arguments, DWORD flags = 0);
  bool WaitExit(DWORD timeoutMs = kWaitMs) const {
    return process_ && WaitForSingleObject(process_.get(), timeoutMs) == WAIT_OBJECT_0;
  }
  bool WaitIdle() const { return WaitForInputIdle(process_.get(), kWaitMs) == 0; }
  bool Running() const { return process_ && !WaitExit(0); }
  DWORD ExitCode() const;
  DWORD Id() const { return id_; }
  // Puts the program into a job that counts every process it starts from now on, itself
  // included.
  bool CountStarts();
  DWORD Starts() const;
  void Kill() {
    if (Running() && TerminateProcess(process_.get(), 1)) WaitExit(3000);
  }

 private:
  Handle process_;
  Handle job_;
  DWORD id_ = 0;
};

std::vector<HWND> MonitorWindows();
// The first top-level window of the process with that class and caption (null: any); with
// visible, only a visible one, as a dialog is once it has finished its set-up.
HWND ProcessWindow(DWORD processId, const char* className, const char* caption, bool visible);
inline HWND MonitorWindowOf(DWORD processId) {
  return ProcessWindow(processId, kMonitorClass, nullptr, false);
}
inline HWND FindDialog(DWORD processId, const char* caption = kMonitorClass) {
  return ProcessWindow(processId, "#32770", caption, true);
}
HWND WaitDialog(DWORD processId, const char* caption = kMonitorClass, DWORD timeoutMs = kWaitMs);
std::string DialogItemText(HWND dialog, int controlId);
// The texts of the box's static controls, joined.
std::string BoxText(HWND box);
// Presses a button of a box the way a click does.
inline void PressBoxButton(HWND box, int buttonId) {
  PostMessageA(box, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(box, buttonId)));
}
// True while the notification area holds the monitor's icon for that window; NIM_DELETE
// takes it away the way a restarting shell loses it.
bool TrayIconShown(HWND monitor, DWORD message = NIM_MODIFY);

// Posts timer-1 ticks the way the monitor's timer delivers them.
inline void SendTicks(HWND monitor, int count) {
  for (int i = 0; i < count; ++i) PostMessageA(monitor, WM_TIMER, 1, 0);
}
// Returns once the monitor has handled every message posted to it before: it hides and
// shows its icon in turn (the icon must be shown when this is called).
bool WaitMessagesHandled(HWND monitor);
// The monitor runs no cycle within a second of the previous one, nor of its start.
inline void WaitCycleGap() { Sleep(1100); }
// One sweep cycle, after that gap.
inline void RunSweepCycle(HWND monitor) {
  WaitCycleGap();
  SendTicks(monitor, 17);
}
// Runs cycles until the condition holds; false when it never did.
bool CyclesUntil(HWND monitor, const std::function<bool()>& condition);
// The monitor's window once its tray icon is up.
HWND WatchMonitor(const ProgramRun& monitor);
// The monitor's dialog of that caption after at most two cycles: cycles alternate between
// the two halves of the category table, so two reach any check. Null when none came.
HWND DialogAfterCycles(const ProgramRun& monitor, HWND window, const char* caption);
// The program alert after at most two cycles, expected to name the item.
HWND AlertNamed(const ProgramRun& monitor, HWND window, const char* name);
// True when two more cycles, a whole round of checks, ask nothing under that caption.
bool QuietForTwoCycles(const ProgramRun& monitor, HWND window, const char* caption);

// Replaces the file's bytes, then sets its attributes when given.
bool WriteTextFile(const std::string& path, const std::string& bytes, DWORD attributes = 0);
inline bool HistoryHas(const std::string& text) {
  return Contains(FileText(HistoryFilePath()), text);
}
// The line is appended after the action's visible effect, by another process, so a test
// that has just seen the effect must give the append its moment.
inline bool WaitHistoryHas(const std::string& text) {
  return WaitUntil([&] { return HistoryHas(text); });
}
int TraceCount(const char* text);

inline void WriteSetting(const char* subkey, const char* name, const char* value) {
  WriteRegString(HKEY_CURRENT_USER, subkey, name, value);
}
inline void WriteOption(const char* name, const char* value) {
  WriteSetting("Software\\Tamsel\\Korvane\\Options", name, value);
}
// kNoDword stands for a missing value both ways.
DWORD ReadDword(HKEY root, const char* subkey, const char* name);
void WriteDword(HKEY root, const char* subkey, const char* name, DWORD number);

// Moves KorvaneEx.exe out of the way for its lifetime, for the paths that report it missing.
struct ExplorerAside {
  const std::string path = BinFolder() + "\\KorvaneEx.exe", aside = path + ".aside";
  ExplorerAside() { MoveFileExA(path.c_str(), aside.c_str(), MOVEFILE_REPLACE_EXISTING); }
  ~ExplorerAside() { MoveFileExA(aside.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING); }
};

class MonitorTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  // Starts the monitor; with ready, waits until its window exists and its loop is idle.
  ProgramRun& Launch(const char* arguments, bool ready = true);

 private:
  std::deque<ProgramRun> runs_;  // stable references for the callers
};
