#include "bench_timing.h"

#include <windows.h>

#include <algorithm>

double BenchNowMs() {
  static const double ticksPerMs = [] {
    LARGE_INTEGER frequency = {};
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(frequency.QuadPart) / 1000.0;
  }();
  LARGE_INTEGER now = {};
  QueryPerformanceCounter(&now);
  return static_cast<double>(now.QuadPart) / ticksPerMs;
}

double BenchMedian(std::vector<double> samples) {
  if (samples.empty()) return 0.0;
  std::sort(samples.begin(), samples.end());
  const std::size_t middle = samples.size() / 2;
  if (samples.size() % 2 != 0) return samples[middle];
  return (samples[middle - 1] + samples[middle]) / 2.0;
}
