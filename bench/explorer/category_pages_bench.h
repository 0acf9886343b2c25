// The explorer's eight category pages over synthetic machines like the category benches':
// each page's fill, from its creation in a tabbed window of its own to a filled list, against
// its own enumeration alone. Printed as "page-<name> ours_ms=.. floor_ms=.. ratio=..".
#pragma once
#include <vector>

#include "bench_line.h"

std::vector<BenchLine> CategoryPagesBenchRun(bool quick, int repetitions);
void CategoryPagesPrintLine(const BenchLine& line);
