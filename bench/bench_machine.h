// The synthetic machine: Run values over the Run-family keys of both hives, and shortcuts in
// a startup folder, all inside a bench sandbox.
#pragma once
#include <string>

#include "bench_sandbox.h"

// The Run-family locations the machine fills (both hives, seven paths each).
inline constexpr int kBenchRunCodes[] = {1, 2, 3, 4, 5, 6, 7, 11, 12, 13, 14, 15, 16, 17};

struct BenchMachine {
  int runValues = 0;
  int shortcuts = 0;
  std::string startupFolder;  // holds the shortcuts only
};

// Writes runValues values and shortcuts shortcuts (with existing targets) and points the
// per-user Startup shell folder at them. False when any of it could not be written.
bool BenchMachineBuild(const BenchSandbox& sandbox, int runValues, int shortcuts,
                       BenchMachine& machine);
// Records every entry of the current startup list as known; returns the list's count.
int BenchMachineMarkKnown();
// Writes one Run value in the per-user Run key (code 11).
bool BenchWriteRunValue(const char* name, const char* command);
