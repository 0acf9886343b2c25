// Our startup check against the least any check of the same places must do.
#pragma once

struct StartupBenchResult {
  int size = 0;
  double oursMs = 0;
  double floorMs = 0;
  bool sound = false;  // the machine was built and the check saw every entry as known
};

StartupBenchResult StartupBenchRun(int runValues, int shortcuts, int repetitions);
