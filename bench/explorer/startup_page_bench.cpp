#include "startup_page_bench.h"

#include <windows.h>
#include <commctrl.h>
#include <prsht.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "bench_files.h"
#include "bench_machine.h"
#include "bench_page_sheet.h"
#include "bench_sandbox.h"
#include "bench_timing.h"
#include "foundation/filefacts.h"
#include "foundation/handles.h"
#include "pages.h"
#include "resource.h"
#include "startup/item_list.h"
#include "startup/locations.h"
#include "startup/startup_list.h"

namespace {

constexpr int kShortcuts = 20;
constexpr int kRunCodeCount = sizeof kBenchRunCodes / sizeof kBenchRunCodes[0];
constexpr int kSortedColumns = 5;

struct PageMachine {
  std::vector<std::string> programs;
  int expected = 0;
};

// Run values over the fourteen Run-family keys, as the startup check's machine has them, but
// started from a small set of real program files, as a real machine's are.
bool PageMachineRunValues(int count, const std::vector<std::string>& programs) {
  RegKey keys[kRunCodeCount];
  for (int i = 0; i < kRunCodeCount; ++i)
    if (!keys[i].Create(LocationRoot(kBenchRunCodes[i]), LocationKeyPath(kBenchRunCodes[i]),
                        KEY_SET_VALUE))
      return false;
  for (int index = 0; index < count; ++index) {
    char name[32], command[300];
    std::snprintf(name, sizeof name, "BenchApp%04d", index);
    std::snprintf(command, sizeof command, "%s /instance %d",
                  programs[static_cast<std::size_t>(index) % programs.size()].c_str(), index);
    const DWORD size = static_cast<DWORD>(std::strlen(command) + 1);
    if (RegSetValueExA(keys[index % kRunCodeCount].get(), name, 0, REG_SZ,
                       reinterpret_cast<const BYTE*>(command), size) != ERROR_SUCCESS)
      return false;
  }
  return true;
}

bool PageMachineBuild(const BenchSandbox& sandbox, int runValues, int programCount,
                      PageMachine& machine) {
  BenchMachine base;
  if (!BenchMachineBuild(sandbox, 0, kShortcuts, base)) return false;
  for (int i = 0; i < programCount; ++i) {
    const std::string folder = sandbox.folder + "\\Vendor " + std::to_string(i);
    const std::string program = folder + "\\tool" + std::to_string(i) + ".exe";
    if (!CreateDirectoryA(folder.c_str(), nullptr) || !BenchVendorCopy(program)) return false;
    machine.programs.push_back(program);
  }
  machine.expected = std::min(runValues + kShortcuts, kItemListMax);
  return PageMachineRunValues(runValues, machine.programs);
}

HWND PageOpen() { return BenchPageOpen(IDD_PAGE_STARTUP, StartupPageProc); }

double PageOursOnce(const PageMachine& machine, bool& sound) {
  const double start = BenchNowMs();
  HWND sheet = PageOpen();
  const double elapsed = BenchNowMs() - start;
  const int rows = sheet ? ListView_GetItemCount(BenchPageList(sheet)) : -1;
  if (rows != machine.expected) {
    std::fprintf(stderr, "startup-page: %d rows listed, %d expected\n", rows, machine.expected);
    sound = false;
  }
  BenchPageClose(sheet);
  return elapsed;
}

// What listing the entries cannot do without: the enumeration and one version read per
// distinct program file.
double PageFloorOnce(const PageMachine& machine) {
  const double start = BenchNowMs();
  BuildStartupList(1);
  VersionStrings version;
  for (const std::string& program : machine.programs) ReadVersionStrings(program.c_str(), &version);
  const double elapsed = BenchNowMs() - start;
  ItemListClear();
  return elapsed;
}

double PageSortOnce(HWND sheet, int column) {
  HWND page = PropSheet_GetCurrentPageHwnd(sheet);
  NMLISTVIEW click = {};
  click.hdr.hwndFrom = BenchPageList(sheet);
  click.hdr.idFrom = IDC_PAGE_LIST;
  click.hdr.code = LVN_COLUMNCLICK;
  click.iItem = -1;
  click.iSubItem = column;
  const double start = BenchNowMs();
  SendMessageA(page, WM_NOTIFY, IDC_PAGE_LIST, reinterpret_cast<LPARAM>(&click));
  UpdateWindow(click.hdr.hwndFrom);
  return BenchNowMs() - start;
}

void PageMeasureSort(int repetitions, StartupPageBenchResult& result) {
  HWND sheet = PageOpen();
  if (sheet == nullptr) return;
  std::vector<double> samples;
  for (int i = 0; i < repetitions * kSortedColumns; ++i)
    samples.push_back(PageSortOnce(sheet, i % kSortedColumns));
  result.sortMs = BenchMedian(samples);
  result.sortSound = ListView_GetItemCount(BenchPageList(sheet)) == result.fill.size;
  BenchPageClose(sheet);
}

void PageMeasure(const PageMachine& machine, int repetitions, StartupPageBenchResult& result) {
  bool sound = true;
  PageOursOnce(machine, sound);  // the first fill records every first-detected time
  PageFloorOnce(machine);
  std::vector<double> ours, floor;
  for (int i = 0; i < repetitions; ++i) {
    floor.push_back(PageFloorOnce(machine));
    ours.push_back(PageOursOnce(machine, sound));
  }
  result.fill.oursMs = BenchMedian(ours);
  result.fill.floorMs = BenchMedian(floor);
  result.fill.sound = sound;
  PageMeasureSort(repetitions, result);
}

}  // namespace

StartupPageBenchResult StartupPageBenchRun(int runValues, int programs, int repetitions) {
  StartupPageBenchResult result;
  result.fill.name = "startup-page";
  result.fill.size = std::min(runValues + kShortcuts, kItemListMax);
  BenchSandbox sandbox;
  if (!BenchSandboxOpen(sandbox)) return result;
  PageMachine machine;
  if (PageMachineBuild(sandbox, runValues, programs, machine))
    PageMeasure(machine, repetitions, result);
  else
    std::fprintf(stderr, "startup-page: the machine could not be built\n");
  ItemListClear();
  BenchSandboxClose(sandbox);
  return result;
}
