// Our services enumeration, in full, quick and Microsoft-filtered form, against the bare
// registry reads of the same keys.
#pragma once
#include <vector>

#include "bench_line.h"

// The lines services, services-quick and services-msfilter, in that order.
std::vector<BenchLine> ServicesBenchRun(int services, int repetitions);
