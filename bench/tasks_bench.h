// Our scheduled-task enumeration against the least any listing of the scheduler's jobs does.
#pragma once
#include "bench_line.h"

BenchLine TasksBenchRun(int tasks, int repetitions);
