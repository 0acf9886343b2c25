// Wall-clock timing of repeated runs.
#pragma once
#include <functional>
#include <vector>

// Milliseconds since an arbitrary start, from the performance counter.
double BenchNowMs();
// The median of the samples (the mean of the middle two for an even count); 0 when empty.
double BenchMedian(std::vector<double> samples);
// Times floor then ours, repetitions times, and gives each one's median in milliseconds.
// Taking turns lets a passing load weigh on both alike.
void BenchAlternate(int repetitions, const std::function<void()>& ours,
                    const std::function<void()>& floor, double& oursMs, double& floorMs);
