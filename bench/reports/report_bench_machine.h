// The whole bench machine the system report is timed on: the startup page's 4,096 Run values
// over real program files and startup-folder shortcuts, and every category bench's items,
// all at once in one sandbox.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "bench_sandbox.h"
#include "foundation/handles.h"

struct ReportBenchSizes {
  int runValues, programs, shortcuts, delayed, controls, addOns, tasks, services, idleProcesses,
      hiddenFiles;
};

struct ReportBenchMachine {
  BenchSandbox sandbox;
  HKEY classes = nullptr;  // the sandbox's own classes root, mapped over HKCR
  std::vector<Handle> idle;
  std::vector<std::string> hiddenFiles;
  bool tasks = false;
};

// False when any part could not be made; what was made is taken down by ReportBenchRemove.
bool ReportBenchBuild(const ReportBenchSizes& sizes, ReportBenchMachine& machine);
void ReportBenchRemove(ReportBenchMachine& machine);
