#include "sweep_leak_bench.h"

#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <cstring>

#include "alerts.h"
#include "bench_machine.h"
#include "bench_sandbox.h"
#include "foundation/msgbox.h"
#include "foundation/options.h"
#include "foundation/settings.h"
#include "monitor.h"
#include "monitor_init.h"
#include "monitor_window.h"
#include "resource.h"
#include "startup/item_list.h"
#include "startup/snapshot.h"
#include "sweep.h"
#include "text.h"
#include "tray_icon.h"

namespace {

// Not the monitor's class: a monitor running beside the bench must not find this window.
constexpr char kBenchWindowClass[] = "KorvaneBenchMonitor";
constexpr char kPagesKey[] = "Software\\Microsoft\\Internet Explorer\\Main";
constexpr DWORD kPastLastCycleMs = 5000;

// Windows reports the commit charge in both fields; Wine fills only PagefileUsage.
std::size_t SweepLeakPrivateBytes() {
  PROCESS_MEMORY_COUNTERS_EX counters = {};
  counters.cb = sizeof counters;
  if (!GetProcessMemoryInfo(GetCurrentProcess(),
                            reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                            sizeof counters))
    return 0;
  return counters.PrivateUsage != 0 ? counters.PrivateUsage : counters.PagefileUsage;
}

// Every category due on every visit of its half, and every alert answered by its policy.
void SweepLeakOptions() {
  for (const OptionRow& row : kOptionTable) {
    if (row.kind == OptionKind::Interval) OptionSet(row.name, 1);
    if (row.kind == OptionKind::Policy) OptionSet(row.name, 1);
  }
}

bool SweepLeakStartMonitor() {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  CopyBounded(g_monitor.className, sizeof g_monitor.className, kBenchWindowClass);
  LoadStringA(instance, IDS_CAPTION, g_monitor.caption, kMonitorNameSize);
  MessageCaptionSet(g_monitor.caption);
  if (!MonitorWindowCreate(instance) || !AlertCreateFonts()) return false;
  MonitorInitialize();
  TrayIconReAdd();
  return true;
}

void SweepLeakPump() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_TIMER) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

void SweepLeakChurnCommand(int cycle, char* out, std::size_t capacity) {
  std::snprintf(out, capacity, "C:\\Program Files\\Bench Churn\\churn%05d.exe", cycle);
}

void SweepLeakChurnPage(int cycle, char* out, std::size_t capacity) {
  std::snprintf(out, capacity, "http://bench.invalid/start/%05d", cycle);
}

// Each cycle has something new to answer: a Run value and the start page change every time.
void SweepLeakChurn(int cycle) {
  char text[128];
  SweepLeakChurnCommand(cycle, text, sizeof text);
  BenchWriteRunValue("BenchChurn", text);
  SweepLeakChurnPage(cycle, text, sizeof text);
  SettingsWriteString(HKEY_CURRENT_USER, kPagesKey, "Start Page", text);
}

// The last first-half cycle accepted that cycle's Run value and start page.
bool SweepLeakAnswered(int cycles) {
  const int last = (cycles - 1) / 2 * 2;
  char expected[128], stored[128] = "";
  SweepLeakChurnCommand(last, expected, sizeof expected);
  if (SnapshotLookup("BenchChurn", expected) != 11) return false;
  SweepLeakChurnPage(last, expected, sizeof expected);
  SettingsReadString(HKEY_CURRENT_USER, kBaseKey, "StartPage", stored, sizeof stored);
  return std::strcmp(stored, expected) == 0;
}

bool SweepLeakCycle(int cycle) {
  SweepLeakChurn(cycle);
  g_sweep.lastCycleStart = GetTickCount() - kPastLastCycleMs;
  g_sweep.realtimePending = true;
  const int ran = SweepCycle();
  SweepLeakPump();
  return ran == 1 && !g_sweep.inCycle;
}

void SweepLeakStopMonitor() {
  TrayIconUpdate(kTrayDelete, 0, 0);
  ItemListClear();
  AlertDeleteFonts();
}

}  // namespace

SweepLeakResult SweepLeakRun(int runValues, int shortcuts, int cycles) {
  SweepLeakResult result;
  BenchSandbox sandbox;
  if (!BenchSandboxOpen(sandbox)) return result;
  BenchMachine machine;
  if (BenchMachineBuild(sandbox, runValues, shortcuts, machine)) {
    SweepLeakOptions();
    result.sound = SweepLeakStartMonitor();
    for (int cycle = 0; result.sound && cycle < cycles; ++cycle) {
      result.sound = SweepLeakCycle(cycle);
      if (!result.sound) break;
      ++result.cyclesRun;
      if (cycle == 0) result.firstBytes = SweepLeakPrivateBytes();
    }
    result.lastBytes = SweepLeakPrivateBytes();
    if (result.sound && !SweepLeakAnswered(cycles)) {
      std::fprintf(stderr, "sweep-leak: the cycles did not answer the changes\n");
      result.sound = false;
    }
    SweepLeakStopMonitor();
  }
  BenchSandboxClose(sandbox);
  return result;
}
