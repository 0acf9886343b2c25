// One measured line: "<name> N=<size> ours_ms=.. floor_ms=.. ratio=..".
#pragma once
#include <string>

struct BenchLine {
  std::string name;
  int size = 0;
  double oursMs = 0;
  double floorMs = 0;
  bool sound = false;  // the machine was built and ours listed what it should
};

void BenchPrintLine(const BenchLine& line);
