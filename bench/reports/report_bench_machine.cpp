#include "report_bench_machine.h"

#include <mstask.h>
#include <shlobj.h>

#include <cstdio>
#include <cstring>

#include "bench_files.h"
#include "bench_machine.h"
#include "categories/scheduled_tasks.h"
#include "explorer/category_pages_machine.h"
#include "file_types_machine.h"
#include "ie_helpers_machine.h"
#include "services_machine.h"
#include "startup/locations.h"
#include "tasks_machine.h"

namespace {

constexpr int kRunCodeCount = sizeof kBenchRunCodes / sizeof kBenchRunCodes[0];
// Made inside the sandboxed HKCU, so it goes with the sandbox.
constexpr char kClassesKey[] = "Software\\KorvaneReportBenchClasses";

bool ReportBenchSetString(HKEY key, const char* name, const std::string& text) {
  return RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                        static_cast<DWORD>(text.size() + 1)) == ERROR_SUCCESS;
}

// Run values over the fourteen Run-family keys, started from a few real program files, as a
// real machine's are.
bool ReportBenchRunValues(const BenchSandbox& sandbox, int count, int programCount) {
  std::vector<std::string> programs;
  for (int i = 0; i < programCount; ++i) {
    const std::string folder = sandbox.folder + "\\Vendor " + std::to_string(i);
    programs.push_back(folder + "\\tool" + std::to_string(i) + ".exe");
    if (!CreateDirectoryA(folder.c_str(), nullptr) || !BenchVendorCopy(programs.back()))
      return false;
  }
  RegKey keys[kRunCodeCount];
  for (int i = 0; i < kRunCodeCount; ++i)
    if (!keys[i].Create(LocationRoot(kBenchRunCodes[i]), LocationKeyPath(kBenchRunCodes[i]),
                        KEY_SET_VALUE))
      return false;
  for (int index = 0; index < count; ++index) {
    char name[32];
    std::snprintf(name, sizeof name, "BenchApp%04d", index);
    const std::string command = programs[static_cast<std::size_t>(index) % programs.size()] +
                                " /instance " + std::to_string(index);
    if (!ReportBenchSetString(keys[index % kRunCodeCount].get(), name, command)) return false;
  }
  return true;
}

// COM finds its classes through HKCR. The sandbox's classes root gets a copy of the two
// classes the machine and the report create (the shell link, the task scheduler), taken from
// the real root before it is covered.
bool ReportBenchMapClasses(ReportBenchMachine& machine) {
  const GUID* kept[] = {&CLSID_ShellLink, &kSchedulerClass};
  RegKey sources[2];
  char names[2][64];
  for (int i = 0; i < 2; ++i) {
    wchar_t wide[40];
    StringFromGUID2(*kept[i], wide, 40);
    std::snprintf(names[i], sizeof names[i], "CLSID\\%ls", wide);
    if (!sources[i].Open(HKEY_CLASSES_ROOT, names[i], KEY_READ)) return false;
  }
  if (RegCreateKeyExA(HKEY_CURRENT_USER, kClassesKey, 0, nullptr, 0,
                      KEY_ALL_ACCESS, nullptr, &machine.classes, nullptr) != ERROR_SUCCESS)
    return false;
  for (int i = 0; i < 2; ++i) {
    RegKey copy;
    if (!copy.Create(machine.classes, names[i], KEY_ALL_ACCESS) ||
        RegCopyTreeA(sources[i].get(), nullptr, copy.get()) != ERROR_SUCCESS)
      return false;
  }
  return RegOverridePredefKey(HKEY_CLASSES_ROOT, machine.classes) == ERROR_SUCCESS;
}

bool ReportBenchTasks(int count) {
  ComPtr<ITaskScheduler> scheduler;
  if (EnsureSchedulerRunning() != 0 ||
      FAILED(CoCreateInstance(kSchedulerClass, nullptr, CLSCTX_INPROC_SERVER, kSchedulerInterface,
                              scheduler.PutVoid())))
    return false;
  TasksMachineRemove(scheduler.get());
  return TasksMachineBuild(scheduler.get(), count);
}

void ReportBenchRemoveTasks() {
  ComPtr<ITaskScheduler> scheduler;
  if (SUCCEEDED(CoCreateInstance(kSchedulerClass, nullptr, CLSCTX_INPROC_SERVER,
                                 kSchedulerInterface, scheduler.PutVoid())))
    TasksMachineRemove(scheduler.get());
}

bool ReportBenchSay(bool built, const char* part) {
  if (!built) std::fprintf(stderr, "report-html: the %s could not be built\n", part);
  return built;
}

}  // namespace

bool ReportBenchBuild(const ReportBenchSizes& sizes, ReportBenchMachine& machine) {
  machine.tasks = ReportBenchSay(ReportBenchTasks(sizes.tasks), "scheduled tasks");
  if (!machine.tasks ||
      !ReportBenchSay(HiddenMachineBuild(sizes.hiddenFiles, machine.hiddenFiles), "hidden files") ||
      !ReportBenchSay(IdleProcessesStart(sizes.idleProcesses, machine.idle), "running programs") ||
      !ReportBenchSay(BenchSandboxOpen(machine.sandbox), "sandbox") ||
      !ReportBenchSay(ReportBenchMapClasses(machine), "classes root"))
    return false;
  BenchMachine startup;
  ServicesMachine services;
  FileTypesMachine fileTypes;
  return ReportBenchSay(BenchMachineBuild(machine.sandbox, 0, sizes.shortcuts, startup) &&
                            ReportBenchRunValues(machine.sandbox, sizes.runValues, sizes.programs),
                        "startup entries") &&
         ReportBenchSay(DelayedMachineBuild(machine.sandbox, sizes.delayed, sizes.programs),
                        "delayed programs") &&
         ReportBenchSay(ActiveXMachineBuild(machine.sandbox, sizes.controls, sizes.programs),
                        "ActiveX controls") &&
         ReportBenchSay(IEHelpersMachineBuild(machine.sandbox, sizes.addOns), "IE helpers") &&
         ReportBenchSay(ServicesMachineBuild(machine.sandbox, sizes.services, services), "services") &&
         ReportBenchSay(FileTypesMachineBuild(fileTypes), "file types");
}

void ReportBenchRemove(ReportBenchMachine& machine) {
  if (machine.classes != nullptr) {
    RegOverridePredefKey(HKEY_CLASSES_ROOT, nullptr);
    RegCloseKey(machine.classes);
    machine.classes = nullptr;
  }
  BenchSandboxClose(machine.sandbox);
  IdleProcessesStop(machine.idle);
  HiddenMachineRemove(machine.hiddenFiles);
  if (machine.tasks) ReportBenchRemoveTasks();
}
