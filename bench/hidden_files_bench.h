// Our hidden-file enumeration over the real folders against the bare walk of the same folders.
#pragma once
#include "bench_line.h"

BenchLine HiddenFilesBenchRun(int repetitions);
