// Reading the code signatures of many program files, first with an empty cache (every file
// hashed and checked) and then again from the cache.
#pragma once

struct SignatureBenchResult {
  int files = 0;
  double coldMs = 0;
  double warmMs = 0;
  bool sound = false;  // the files were made and every reading gave the expected state
};

SignatureBenchResult SignatureBenchRun(int files, int repetitions);
