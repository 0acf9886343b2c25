// Our IE add-on enumeration against the bare registry reads of the same places.
#pragma once
#include "bench_line.h"

BenchLine IEHelpersBenchRun(int addOns, int repetitions);
