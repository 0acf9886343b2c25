// Drives the real monitor in the test prefix: starts it, finds its windows and boxes,
// and puts the registry and files it touches back before and after each test.
#pragma once
#include <windows.h>
#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "foundation/handles.h"

inline constexpr char kMonitorClass[] = "Korvane";
inline constexpr char kAlertCaption[] = "Korvane New Program Alert";
inline constexpr char kBaseKey[] = "Software\\Tamsel\\Korvane";
inline constexpr char kKnownStartupKey[] = "Software\\Tamsel\\Korvane\\Run";
inline constexpr char kMachineRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr int kMonitorExitCommand = 6030;
inline constexpr DWORD kWaitMs = 10000;

// Folder of the test program, where Korvane.exe and Tarvex.dll are built too.
std::string BinFolder();
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs = kWaitMs);

class ProgramRun {
 public:
  // Starts "<bin folder>\<program>" with the arguments; false when it could not start.
  bool Start(const char* program, const char* arguments, DWORD flags = 0);
  bool WaitExit(DWORD timeoutMs = kWaitMs) const;
  bool WaitIdle(DWORD timeoutMs = kWaitMs) const;
  bool Running() const;
  DWORD ExitCode() const;
  DWORD Id() const { return id_; }
  // Puts the program into a job that counts every process it starts from now on.
  bool CountStarts();
  // Processes started in the job so far, the program itself included.
  DWORD Starts() const;
  void Kill();

 private:
  Handle process_;
  Handle job_;
  DWORD id_ = 0;
};

std::vector<HWND> MonitorWindows();
HWND MonitorWindowOf(DWORD processId);
// A visible dialog ("#32770") of the process with that caption; null when none.
HWND FindDialog(DWORD processId, const char* caption);
// A message box ("#32770") of the process with the monitor's caption; null when none.
HWND FindBox(DWORD processId);
std::string DialogItemText(HWND dialog, int controlId);
// The visible popup menu window ("#32768") of the process; null when none.
HWND FindPopupMenu(DWORD processId);
// The texts of the box's static controls, joined.
std::string BoxText(HWND box);
// Presses a button of a box the way a click does.
void PressBoxButton(HWND box, int buttonId);
// True while the notification area holds the monitor's icon for that window.
bool TrayIconShown(HWND monitor);
// Takes the monitor's icon away the way a restarting shell loses it.
void TrayIconForget(HWND monitor);

// Posts timer-1 ticks the way the monitor's timer delivers them.
void SendTicks(HWND monitor, int count);
// Returns once the monitor has handled every message posted to it before: it hides and
// shows its icon in turn (the icon must be shown when this is called).
bool WaitMessagesHandled(HWND monitor);
// The monitor runs no cycle within a second of the previous one, nor of its start.
void WaitCycleGap();
// The monitor's window once its tray icon is up.
HWND WatchMonitor(const ProgramRun& monitor);
// One sweep cycle, after the gap the monitor keeps between cycles.
void RunSweepCycle(HWND monitor);
// The monitor's dialog of that caption after at most two cycles: cycles alternate between
// the two halves of the category table, so two reach any check. Null when none came.
HWND DialogAfterCycles(const ProgramRun& monitor, HWND window, const char* caption);
// The program alert after at most two cycles, expected to name the item.
HWND AlertNamed(const ProgramRun& monitor, HWND window, const char* name);
bool HistoryHas(const std::string& text);

void WriteSetting(const char* subkey, const char* name, const char* value);
void WriteRegText(HKEY root, const char* subkey, const char* name, const char* value);
void WriteOption(const char* name, const char* value);
// What the monitor writes as its own autostart command.
std::string AutostartCommand();
std::string TraceFilePath();
std::string HistoryFilePath();
// The whole file; empty when it cannot be read.
std::string ReadTextFile(const std::string& path);

// Moves KorvaneEx.exe out of the way for its lifetime, for the paths that report it missing.
class ExplorerAside {
 public:
  ExplorerAside();
  ~ExplorerAside();
  ExplorerAside(const ExplorerAside&) = delete;
  ExplorerAside& operator=(const ExplorerAside&) = delete;

 private:
  std::string path_;
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
