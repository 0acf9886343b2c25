#include "bench_line.h"

#include <cstdio>

void BenchPrintLine(const BenchLine& line) {
  const double ratio = line.floorMs > 0 ? line.oursMs / line.floorMs : 0.0;
  std::printf("%s N=%d ours_ms=%.2f floor_ms=%.2f ratio=%.2f\n", line.name.c_str(), line.size,
              line.oursMs, line.floorMs, ratio);
  std::fflush(stdout);
  if (!line.sound) std::fprintf(stderr, "%s N=%d: not sound\n", line.name.c_str(), line.size);
}
