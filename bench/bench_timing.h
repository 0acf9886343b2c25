// Wall-clock timing of repeated runs.
#pragma once
#include <vector>

// Milliseconds since an arbitrary start, from the performance counter.
double BenchNowMs();
// The median of the samples (the mean of the middle two for an even count); 0 when empty.
double BenchMedian(std::vector<double> samples);
