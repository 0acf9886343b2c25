// Private bytes of the process across many sweep cycles that find something every time.
#pragma once
#include <cstddef>

struct SweepLeakResult {
  std::size_t firstBytes = 0;  // after the first cycle
  std::size_t lastBytes = 0;   // after the last
  int cyclesRun = 0;
  bool sound = false;          // the monitor started and every cycle ran to its end
};

SweepLeakResult SweepLeakRun(int runValues, int shortcuts, int cycles);
