// Times the startup check and each watched category against its floor and watches the sweep
// cycle for leaks; prints one line per measurement. "--quick" runs small sizes only, to keep
// the program working.
#include <windows.h>
#include <objbase.h>

#include <cstdio>
#include <cstring>

#include "bench_line.h"
#include "cookies_bench.h"
#include "file_types_bench.h"
#include "foundation/strings.h"
#include "hidden_files_bench.h"
#include "ie_helpers_bench.h"
#include "services_bench.h"
#include "signature_bench.h"
#include "startup_bench.h"
#include "sweep_leak_bench.h"
#include "tasks_bench.h"

namespace {

constexpr int kShortcuts = 20;

struct BenchSize {
  int items;
  int repetitions;
};

struct CategorySizes {
  BenchSize ieHelpers;
  BenchSize services;
  BenchSize tasks;
  int fileTypeRepetitions;  // the watched list is the default one
};

constexpr BenchSize kFullSizes[] = {{100, 21}, {1000, 11}, {4096, 9}};
constexpr BenchSize kQuickSizes[] = {{100, 3}};
constexpr CategorySizes kFullCategories = {{50, 21}, {300, 11}, {100, 11}, 21};
constexpr CategorySizes kQuickCategories = {{12, 1}, {30, 1}, {8, 1}, 2};
constexpr int kHiddenFilesRepetitions = 11;
constexpr int kQuickHiddenFilesRepetitions = 1;
constexpr int kFullCycles = 1000;
constexpr int kQuickCycles = 40;
constexpr int kSignatureFiles = 200;
constexpr int kSignatureRepetitions = 3;
constexpr int kQuickSignatureFiles = 20;
constexpr int kLeakRunValues = 1000;
constexpr int kQuickLeakRunValues = 100;

bool Report(const BenchLine& line) {
  BenchPrintLine(line);
  return line.sound;
}

bool BenchStartupCheck(const BenchSize& size) {
  const StartupBenchResult result = StartupBenchRun(size.items, kShortcuts, size.repetitions);
  return Report({"startup-check", result.size, result.oursMs, result.floorMs, result.sound});
}

// The monitor chooses its language before its first sweep; the enumerations' texts depend on
// it.
bool BenchCategories(const CategorySizes& sizes) {
  ChooseLanguage();
  bool sound = Report(IEHelpersBenchRun(sizes.ieHelpers.items, sizes.ieHelpers.repetitions));
  for (const BenchLine& line : ServicesBenchRun(sizes.services.items, sizes.services.repetitions))
    sound = Report(line) && sound;
  sound = Report(TasksBenchRun(sizes.tasks.items, sizes.tasks.repetitions)) && sound;
  return Report(FileTypesBenchRun(sizes.fileTypeRepetitions)) && sound;
}

bool BenchSignatures(bool quick) {
  const SignatureBenchResult result =
      SignatureBenchRun(quick ? kQuickSignatureFiles : kSignatureFiles,
                        quick ? 1 : kSignatureRepetitions);
  std::printf("signature files=%d cold_ms=%.2f warm_ms=%.2f\n", result.files, result.coldMs,
              result.warmMs);
  std::fflush(stdout);
  if (!result.sound) std::fprintf(stderr, "signature: a file was not made or read wrongly\n");
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
  sound = BenchCategories(quick ? kQuickCategories : kFullCategories) && sound;
  sound = Report(HiddenFilesBenchRun(quick ? kQuickHiddenFilesRepetitions
                                           : kHiddenFilesRepetitions)) &&
          sound;
  sound = CookiesBenchRun(quick) && sound;
  sound = BenchSignatures(quick) && sound;
  sound = BenchSweepLeak(quick) && sound;
  CoUninitialize();
  return sound ? 0 : 1;
}
