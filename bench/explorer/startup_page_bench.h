// The Startup Programs page over a large machine: from the page's creation to a filled list,
// against the enumeration plus one version read per program file; and a column-click sort.
#pragma once
#include "bench_line.h"

struct StartupPageBenchResult {
  BenchLine fill;
  double sortMs = 0;
  bool sortSound = false;
};

StartupPageBenchResult StartupPageBenchRun(int runValues, int programs, int repetitions);
