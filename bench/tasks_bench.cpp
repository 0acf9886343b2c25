#include "tasks_bench.h"

#include <windows.h>
#include <mstask.h>

#include <string>

#include "bench_timing.h"
#include "categories/scheduled_tasks.h"
#include "foundation/handles.h"
#include "startup/item_list.h"
#include "tasks_machine.h"

namespace {

constexpr ULONG kNamesPerBatch = 5;

bool CreateScheduler(ComPtr<ITaskScheduler>& scheduler) {
  return SUCCEEDED(CoCreateInstance(kSchedulerClass, nullptr, CLSCTX_INPROC_SERVER,
                                    kSchedulerInterface, scheduler.PutVoid()));
}

int FloorTask(ITaskScheduler* scheduler, const wchar_t* name) {
  ComPtr<ITask> task;
  if (FAILED(scheduler->Activate(BenchTaskPlainName(name).c_str(), kTaskInterface,
                                 reinterpret_cast<IUnknown**>(task.Put()))) ||
      !task)
    return 0;
  LPWSTR program = nullptr;
  if (SUCCEEDED(task->GetApplicationName(&program))) CoTaskMemFree(program);
  SYSTEMTIME next{};
  SYSTEMTIME last{};
  task->GetNextRunTime(&next);
  task->GetMostRecentRunTime(&last);
  return 1;
}

// The floor: a scheduler object, its names 5 at a time, and each task activated once for its
// program and run times. No service check, no wait.
int FloorOnce() {
  ComPtr<ITaskScheduler> scheduler;
  ComPtr<IEnumWorkItems> items;
  if (!CreateScheduler(scheduler) || FAILED(scheduler->Enum(items.Put())) || !items) return 0;
  int found = 0;
  for (;;) {
    LPWSTR* names = nullptr;
    ULONG fetched = 0;
    const HRESULT read = items->Next(kNamesPerBatch, &names, &fetched);
    if (FAILED(read) || names == nullptr) return found;
    for (ULONG i = 0; i < fetched; ++i) {
      found += FloorTask(scheduler.get(), names[i]);
      CoTaskMemFree(names[i]);
    }
    CoTaskMemFree(names);
    if (read != S_OK || fetched == 0) return found;
  }
}

int ListedBenchTasks() {
  int ours = 0;
  for (int i = 0; i < ItemCount(); ++i) {
    char title[kItemTitleSize] = "";
    ItemTitle(i, title);
    wchar_t wide[kItemTitleSize] = L"";
    MultiByteToWideChar(CP_ACP, 0, title, -1, wide, kItemTitleSize);
    ours += BenchTaskIsOurs(wide);
  }
  return ours;
}

// The lists are checked outside the timing, before and after.
void Measure(int tasks, int repetitions, BenchLine& line) {
  line.sound = FloorOnce() >= tasks && EnumerateScheduledTasks() >= tasks &&
               ListedBenchTasks() == tasks;
  BenchAlternate(repetitions, [] { EnumerateScheduledTasks(); }, [] { FloorOnce(); },
                 line.oursMs, line.floorMs);
  line.sound = line.sound && ListedBenchTasks() == tasks;
}

}  // namespace

BenchLine TasksBenchRun(int tasks, int repetitions) {
  BenchLine line{"tasks", tasks};
  ComPtr<ITaskScheduler> scheduler;
  if (EnsureSchedulerRunning() != 0 || !CreateScheduler(scheduler)) return line;
  TasksMachineRemove(scheduler.get());
  if (TasksMachineBuild(scheduler.get(), tasks)) Measure(tasks, repetitions, line);
  TasksMachineRemove(scheduler.get());
  ItemListClear();
  return line;
}
