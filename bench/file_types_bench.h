// Our file-type enumeration against the bare registry reads of the same associations.
#pragma once
#include "bench_line.h"

BenchLine FileTypesBenchRun(int repetitions);
