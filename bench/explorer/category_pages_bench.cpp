#include "category_pages_bench.h"

#include <windows.h>
#include <mstask.h>
#include <prsht.h>

#include <cstdio>
#include <initializer_list>
#include <string>
#include <vector>

#include "bench_page_sheet.h"
#include "bench_sandbox.h"
#include "bench_timing.h"
#include "categories/active_tasks.h"
#include "categories/activex.h"
#include "categories/file_types.h"
#include "categories/hidden_files.h"
#include "categories/ie_helpers.h"
#include "categories/scheduled_tasks.h"
#include "categories/services.h"
#include "category_pages_machine.h"
#include "file_types_machine.h"
#include "foundation/handles.h"
#include "ie_helpers_machine.h"
#include "pages.h"
#include "resource.h"
#include "services_machine.h"
#include "startup/delayed_start.h"
#include "startup/item_list.h"
#include "tasks_machine.h"

namespace {

struct PageSizes {
  int delayed, controls, addOns, tasks, services, idleProcesses, programs, hiddenFiles;
};

constexpr PageSizes kFullSizes = {200, 100, 50, 100, 300, 16, 20, 100};
constexpr PageSizes kQuickSizes = {12, 8, 12, 8, 30, 2, 4, 5};

// A page's rows are those of its enumeration, except where the page leaves some out.
enum class RowRule { Equal, AtMost };

struct PageCase {
  const char* name;
  int dialogId;
  DLGPROC proc;
  int (*enumerate)();
  RowRule rows;
};

int FloorDelayed() { return LoadDelayedList(); }
int FloorActiveX() { return EnumerateActiveX(0); }
int FloorServices() {
  EnumerateServices(0);
  return ItemCount();
}

bool RowsSound(const PageCase& page, int rows, int expected) {
  if (page.rows == RowRule::Equal ? rows == expected : rows > 0 && rows <= expected) return true;
  std::fprintf(stderr, "%s: %d rows listed, %d enumerated\n", page.name, rows, expected);
  return false;
}

// The page's clock runs from the first message its dialog receives (before its controls are
// made) to the end of its activation, which fills the list. The property sheet's frame, built
// before the page and shown after it, belongs to the window, not to the page.
struct PageClock {
  DLGPROC proc = nullptr;
  double createdMs = 0, filledMs = 0;
};
PageClock g_pageClock;

INT_PTR CALLBACK TimedPageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (g_pageClock.createdMs == 0) g_pageClock.createdMs = BenchNowMs();
  const INT_PTR result = g_pageClock.proc(window, message, wParam, lParam);
  if (message == WM_NOTIFY && reinterpret_cast<const NMHDR*>(lParam)->code == PSN_SETACTIVE)
    g_pageClock.filledMs = BenchNowMs();
  return result;
}

// From the page's creation to its filled list; the frame's share goes to frameMs, and closing
// is not timed.
double OursOnce(const PageCase& page, int expected, bool& sound, double* frameMs = nullptr) {
  g_pageClock = PageClock{page.proc};
  const double start = BenchNowMs();
  HWND sheet = BenchPageOpen(page.dialogId, TimedPageProc);
  const double end = BenchNowMs();
  sound = RowsSound(page, BenchPageRows(sheet), expected) && sound;
  BenchPageClose(sheet);
  if (g_pageClock.createdMs == 0 || g_pageClock.filledMs == 0)
    g_pageClock = PageClock{page.proc, start, end};
  const double pageMs = g_pageClock.filledMs - g_pageClock.createdMs;
  if (frameMs) *frameMs = (end - start) - pageMs;
  return pageMs;
}

double FloorOnce(const PageCase& page) {
  const double start = BenchNowMs();
  page.enumerate();
  return BenchNowMs() - start;
}

// The first fill records every first-detected date, which later fills only read. Floor and
// page take turns, so a passing load weighs on both alike.
BenchLine Measure(const PageCase& page, int repetitions) {
  BenchLine line{page.name, 0};
  line.size = page.enumerate();
  line.sound = line.size > 0;
  OursOnce(page, line.size, line.sound);
  std::vector<double> ours, floor, frame;
  for (int i = 0; i < repetitions; ++i) {
    floor.push_back(FloorOnce(page));
    double frameMs = 0;
    ours.push_back(OursOnce(page, line.size, line.sound, &frameMs));
    frame.push_back(frameMs);
  }
  line.oursMs = BenchMedian(ours);
  line.floorMs = BenchMedian(floor);
  std::fprintf(stderr, "%s: the sheet's frame around the page took %.2f ms more\n", page.name,
               BenchMedian(frame));
  ItemListClear();
  return line;
}

BenchLine Unbuilt(const char* name) {
  std::fprintf(stderr, "%s: the machine could not be built\n", name);
  return BenchLine{name, 0};
}

const PageCase kDelayed = {"page-delayed", IDD_PAGE_DELAYED, DelayedPageProc, FloorDelayed,
                           RowRule::Equal};
const PageCase kActiveX = {"page-activex", IDD_PAGE_ACTIVEX, ActiveXPageProc, FloorActiveX,
                           RowRule::Equal};
const PageCase kIEHelpers = {"page-ie-helpers", IDD_PAGE_IE_HELPERS, IEHelpersPageProc,
                             EnumerateIEHelpers, RowRule::Equal};
const PageCase kTasks = {"page-scheduled-tasks", IDD_PAGE_SCHEDULED_TASKS,
                         ScheduledTasksPageProc, EnumerateScheduledTasks, RowRule::Equal};
const PageCase kServices = {"page-services", IDD_PAGE_SERVICES, ServicesPageProc, FloorServices,
                            RowRule::Equal};
const PageCase kActiveTasks = {"page-active-tasks", IDD_PAGE_ACTIVE_TASKS, ActiveTasksPageProc,
                               EnumerateActiveTasks, RowRule::AtMost};
const PageCase kFileTypes = {"page-file-types", IDD_PAGE_FILE_TYPES, FileTypesPageProc,
                             EnumerateFileTypes, RowRule::Equal};
const PageCase kHiddenFiles = {"page-hidden-files", IDD_PAGE_HIDDEN_FILES, HiddenFilesPageProc,
                               EnumerateHiddenFiles, RowRule::Equal};

// The pages whose machine lives in the sandboxed registry, with the classes root mapped. The
// Hidden Files page looks at the machine's own folders, found through the real registry.
void MeasureSandboxed(const PageSizes& sizes, int repetitions, std::vector<BenchLine>& lines) {
  BenchSandbox sandbox;
  if (!BenchSandboxOpen(sandbox, true)) {
    for (const PageCase* page :
         {&kDelayed, &kActiveX, &kIEHelpers, &kServices, &kActiveTasks, &kFileTypes})
      lines.push_back(Unbuilt(page->name));
    return;
  }
  const bool delayed = DelayedMachineBuild(sandbox, sizes.delayed, sizes.programs);
  lines.push_back(delayed ? Measure(kDelayed, repetitions) : Unbuilt(kDelayed.name));
  const bool controls = ActiveXMachineBuild(sandbox, sizes.controls, sizes.programs);
  lines.push_back(controls ? Measure(kActiveX, repetitions) : Unbuilt(kActiveX.name));
  const bool addOns = IEHelpersMachineBuild(sandbox, sizes.addOns);
  lines.push_back(addOns ? Measure(kIEHelpers, repetitions) : Unbuilt(kIEHelpers.name));
  ServicesMachine services;
  const bool servicesBuilt = ServicesMachineBuild(sandbox, sizes.services, services);
  lines.push_back(servicesBuilt ? Measure(kServices, repetitions) : Unbuilt(kServices.name));
  std::vector<Handle> idle;
  const bool running = IdleProcessesStart(sizes.idleProcesses, idle);
  lines.push_back(running ? Measure(kActiveTasks, repetitions) : Unbuilt(kActiveTasks.name));
  IdleProcessesStop(idle);
  FileTypesMachine fileTypes;
  const bool types = FileTypesMachineBuild(fileTypes);
  lines.push_back(types ? Measure(kFileTypes, repetitions) : Unbuilt(kFileTypes.name));
  ItemListClear();
  BenchSandboxClose(sandbox);
}

// Scheduled jobs are made through the scheduler's COM class, which a mapped classes root hides.
BenchLine MeasureTasks(int count, int repetitions) {
  ComPtr<ITaskScheduler> scheduler;
  if (EnsureSchedulerRunning() != 0 ||
      FAILED(CoCreateInstance(kSchedulerClass, nullptr, CLSCTX_INPROC_SERVER, kSchedulerInterface,
                              scheduler.PutVoid())))
    return Unbuilt(kTasks.name);
  TasksMachineRemove(scheduler.get());
  const BenchLine line = TasksMachineBuild(scheduler.get(), count) ? Measure(kTasks, repetitions)
                                                                   : Unbuilt(kTasks.name);
  TasksMachineRemove(scheduler.get());
  ItemListClear();
  return line;
}

}  // namespace

std::vector<BenchLine> CategoryPagesBenchRun(bool quick, int repetitions) {
  const PageSizes& sizes = quick ? kQuickSizes : kFullSizes;
  std::vector<BenchLine> lines;
  MeasureSandboxed(sizes, repetitions, lines);
  lines.insert(lines.begin() + 3, MeasureTasks(sizes.tasks, repetitions));
  std::vector<std::string> hidden;
  lines.push_back(HiddenMachineBuild(sizes.hiddenFiles, hidden) ? Measure(kHiddenFiles, repetitions)
                                                                 : Unbuilt(kHiddenFiles.name));
  HiddenMachineRemove(hidden);
  return lines;
}

void CategoryPagesPrintLine(const BenchLine& line) {
  const double ratio = line.floorMs > 0 ? line.oursMs / line.floorMs : 0.0;
  std::printf("%s ours_ms=%.2f floor_ms=%.2f ratio=%.2f\n", line.name.c_str(), line.oursMs,
              line.floorMs, ratio);
  std::fflush(stdout);
  if (!line.sound) std::fprintf(stderr, "%s N=%d: not sound\n", line.name.c_str(), line.size);
}
