// Times the explorer's Startup Programs page over a large machine: its fill against the floor
// of the enumeration and the program files' version reads, and a column-click sort; then each
// category page's fill against its enumeration. "--quick" runs small machines only, to keep
// the program working; "--idle" only waits, as a running program for the Active Tasks page.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include <cstdio>
#include <cstring>

#include "bench_line.h"
#include "category_pages_bench.h"
#include "category_pages_machine.h"
#include "foundation/strings.h"
#include "startup_page_bench.h"

namespace {

constexpr int kPrograms = 50;
constexpr int kFullEntries = 4096;
constexpr int kQuickEntries = 200;
constexpr int kFullRepetitions = 7;
constexpr int kQuickRepetitions = 1;
constexpr double kSortLimitMs = 100.0;
constexpr DWORD kIdleMs = 10 * 60 * 1000;  // an idle copy left behind ends by itself

bool BenchCategoryPages(bool quick) {
  bool sound = true;
  for (const BenchLine& line :
       CategoryPagesBenchRun(quick, quick ? kQuickRepetitions : kFullRepetitions)) {
    CategoryPagesPrintLine(line);
    sound = line.sound && sound;
  }
  return sound;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1 && std::strcmp(argv[1], kBenchIdleSwitch) == 0) {
    Sleep(kIdleMs);
    return 0;
  }
  const bool quick = argc > 1 && std::strcmp(argv[1], "--quick") == 0;
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);
  ChooseLanguage();
  // The page's entries come from the Run keys alone; the 4096th entry is the list's limit.
  const int runValues = quick ? kQuickEntries : kFullEntries;
  const StartupPageBenchResult result =
      StartupPageBenchRun(runValues, kPrograms, quick ? kQuickRepetitions : kFullRepetitions);
  BenchPrintLine(result.fill);
  std::printf("startup-sort N=%d ms=%.2f\n", result.fill.size, result.sortMs);
  std::fflush(stdout);
  if (!result.sortSound) std::fprintf(stderr, "startup-sort: the list lost rows\n");
  const bool pagesSound = BenchCategoryPages(quick);
  CoUninitialize();
  const bool sound = result.fill.sound && result.sortSound && pagesSound &&
                     (quick || result.sortMs < kSortLimitMs);
  return sound ? 0 : 1;
}
