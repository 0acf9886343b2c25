// Times the startup check against its floor and watches the sweep cycle for leaks; prints
// one line per measurement. "--quick" runs small sizes only, to keep the program working.
#include <windows.h>
#include <objbase.h>

#include <cstdio>
#include <cstring>

#include "startup_bench.h"
#include "sweep_leak_bench.h"

namespace {

constexpr int kShortcuts = 20;

struct BenchSize {
  int runValues;
  int repetitions;
};

constexpr BenchSize kFullSizes[] = {{100, 21}, {1000, 11}, {4096, 9}};
constexpr BenchSize kQuickSizes[] = {{100, 3}};
constexpr int kFullCycles = 1000;
constexpr int kQuickCycles = 40;
constexpr int kLeakRunValues = 1000;
constexpr int kQuickLeakRunValues = 100;

bool BenchStartupCheck(const BenchSize& size) {
  const StartupBenchResult result = StartupBenchRun(size.runValues, kShortcuts, size.repetitions);
  const double ratio = result.floorMs > 0 ? result.oursMs / result.floorMs : 0.0;
  std::printf("startup-check N=%d ours_ms=%.2f floor_ms=%.2f ratio=%.2f\n", result.size,
              result.oursMs, result.floorMs, ratio);
  std::fflush(stdout);
  return result.sound;
}

bool BenchSweepLeak(bool quick) {
  const SweepLeakResult result =
      SweepLeakRun(quick ? kQuickLeakRunValues : kLeakRunValues, kShortcuts,
                   quick ? kQuickCycles : kFullCycles);
  std::printf("sweep-leak private_bytes_first=%zu private_bytes_last=%zu\n", result.firstBytes,
              result.lastBytes);
  std::fflush(stdout);
  if (!result.sound)
    std::fprintf(stderr, "sweep-leak: stopped after %d cycles\n", result.cyclesRun);
  return result.sound;
}

}  // namespace

int main(int argc, char** argv) {
  const bool quick = argc > 1 && std::strcmp(argv[1], "--quick") == 0;
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  bool sound = true;
  if (quick) {
    for (const BenchSize& size : kQuickSizes) sound = BenchStartupCheck(size) && sound;
  } else {
    for (const BenchSize& size : kFullSizes) sound = BenchStartupCheck(size) && sound;
  }
  sound = BenchSweepLeak(quick) && sound;
  CoUninitialize();
  return sound ? 0 : 1;
}
