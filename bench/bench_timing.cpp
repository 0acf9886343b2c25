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

namespace {

double BenchTimeOnce(const std::function<void()>& run) {
  const double start = BenchNowMs();
  run();
  return BenchNowMs() - start;
}

}  // namespace

void BenchAlternate(int repetitions, const std::function<void()>& ours,
                    const std::function<void()>& floor, double& oursMs, double& floorMs) {
  std::vector<double> oursSamples, floorSamples;
  for (int i = 0; i < repetitions; ++i) {
    floorSamples.push_back(BenchTimeOnce(floor));
    oursSamples.push_back(BenchTimeOnce(ours));
  }
  oursMs = BenchMedian(oursSamples);
  floorMs = BenchMedian(floorSamples);
}
