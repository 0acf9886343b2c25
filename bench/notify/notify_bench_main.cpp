// Measures the monitor's change notifications on the real Korvane.exe and prints
// "idle-cpu seconds=<n> percent=<x>", the monitor's share of one core while every watch is
// armed and nothing changes, and "detect-latency runs=<n> median_ms=<x> max_ms=<y>", from a
// value written into the per-user Run key to the alert window. "--quick" idles 5 seconds and
// writes 3 values, to keep the program working.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "bench_timing.h"
#include "notify_monitor.h"

namespace {

constexpr char kAlertCaption[] = "Korvane New Program Alert";
constexpr char kApprovedCode[] = "11";
constexpr int kFullRuns = 20;
constexpr int kQuickRuns = 3;
constexpr int kFullIdleSeconds = 60;
constexpr int kQuickIdleSeconds = 5;
// The watcher arms its places right after the tray icon is up; this leaves it ample time.
constexpr DWORD kArmWaitMs = 2000;
constexpr double kAlertWaitMs = 10000;
constexpr double kAnswerWaitMs = 10000;
// The monitor starts no check within a second of the last; runs are spaced beyond that.
constexpr DWORD kBetweenRunsMs = 1500;

struct Probe {
  std::string name;
  std::string command;
};

Probe NotifyProbe(int run) {
  char name[32];
  char command[64];
  std::snprintf(name, sizeof name, "KvLatency%02d", run);
  std::snprintf(command, sizeof command, "C:\\Bench Latency\\probe%02d.exe /tray", run);
  return {name, command};
}

bool NotifyWriteProbe(const Probe& probe) {
  return RegSetKeyValueA(HKEY_CURRENT_USER, kNotifyRunKey, probe.name.c_str(), REG_SZ,
                         probe.command.c_str(),
                         static_cast<DWORD>(probe.command.size() + 1)) == ERROR_SUCCESS;
}

bool NotifyWaitFor(double limitMs, bool (*done)(const NotifyMonitor&, const Probe&, HWND),
                   const NotifyMonitor& monitor, const Probe& probe, HWND alert) {
  const double start = BenchNowMs();
  while (!done(monitor, probe, alert)) {
    if (BenchNowMs() - start > limitMs) return false;
    Sleep(1);
  }
  return true;
}

bool NotifyAnswered(const NotifyMonitor&, const Probe& probe, HWND alert) {
  return !IsWindow(alert) &&
         NotifyReadString(kNotifyKnownKey, probe.command.c_str()) == kApprovedCode;
}

// Milliseconds until the alert for the probe is up; negative when none came. The alert is
// then accepted, so that the monitor files the entry and asks nothing more.
double NotifyDetectOnce(const NotifyMonitor& monitor, const Probe& probe) {
  const double start = BenchNowMs();
  if (!NotifyWriteProbe(probe)) return -1;
  HWND alert = nullptr;
  while ((alert = NotifyMonitorDialog(monitor, kAlertCaption)) == nullptr) {
    if (BenchNowMs() - start > kAlertWaitMs) return -1;
    Sleep(1);
  }
  const double ms = BenchNowMs() - start;
  PostMessageA(alert, WM_COMMAND, MAKEWPARAM(IDYES, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(alert, IDYES)));
  if (!NotifyWaitFor(kAnswerWaitMs, NotifyAnswered, monitor, probe, alert)) return -1;
  return ms;
}

bool NotifyLatency(const NotifyMonitor& monitor, int runs) {
  std::vector<double> samples;
  for (int run = 0; run < runs; ++run) {
    Sleep(kBetweenRunsMs);
    const double ms = NotifyDetectOnce(monitor, NotifyProbe(run));
    if (ms < 0) {
      std::fprintf(stderr, "detect-latency: no alert for run %d\n", run);
      return false;
    }
    samples.push_back(ms);
  }
  std::printf("detect-latency runs=%d median_ms=%.0f max_ms=%.0f\n", runs, BenchMedian(samples),
              *std::max_element(samples.begin(), samples.end()));
  std::fflush(stdout);
  return true;
}

bool NotifyIdle(const NotifyMonitor& monitor, int seconds) {
  const double cpuBefore = NotifyMonitorCpuMs(monitor);
  const double start = BenchNowMs();
  Sleep(static_cast<DWORD>(seconds) * 1000);
  const double cpuAfter = NotifyMonitorCpuMs(monitor);
  const double wall = BenchNowMs() - start;
  if (cpuBefore < 0 || cpuAfter < 0 || wall <= 0) {
    std::fprintf(stderr, "idle-cpu: the monitor's times could not be read\n");
    return false;
  }
  std::printf("idle-cpu seconds=%d percent=%.3f\n", seconds,
              100.0 * (cpuAfter - cpuBefore) / wall);
  std::fflush(stdout);
  return true;
}

void NotifyForgetProbes(int runs) {
  for (int run = 0; run < runs; ++run)
    RegDeleteKeyValueA(HKEY_CURRENT_USER, kNotifyRunKey, NotifyProbe(run).name.c_str());
}

}  // namespace

int main(int argc, char** argv) {
  const bool quick = argc > 1 && std::strcmp(argv[1], "--quick") == 0;
  const int runs = quick ? kQuickRuns : kFullRuns;
  NotifyForgetProbes(runs);
  NotifyMonitor monitor;
  bool sound = NotifyMonitorStart(monitor);
  if (!sound) std::fprintf(stderr, "notify bench: the monitor did not come up\n");
  if (sound) {
    Sleep(kArmWaitMs);
    sound = NotifyIdle(monitor, quick ? kQuickIdleSeconds : kFullIdleSeconds);
    sound = NotifyLatency(monitor, runs) && sound;
  }
  NotifyMonitorStop(monitor);
  NotifyForgetProbes(runs);
  return sound ? 0 : 1;
}
