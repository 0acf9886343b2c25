// Our services enumeration, in full, quick and Microsoft-filtered form, against the bare
// registry reads of the same keys.
#pragma once
#include <vector>

#include "bench_line.h"

// The lines services, services-quick and services-msfilter, in that order.
std::vector<BenchLine> ServicesBenchRun(int services, int repetitions);

// The monitor's services check on an unchanged machine: the quick pre-test that passes
// against the full pass it saves ("services-quick-pretest N=.. ms_full=.. ms_quick=..").
struct ServicesPretestLine {
  int size = 0;
  double fullMs = 0;
  double quickMs = 0;
  bool sound = false;
};
ServicesPretestLine ServicesPretestBenchRun(int services, int repetitions);
void ServicesPretestPrint(const ServicesPretestLine& line);
