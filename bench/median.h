#pragma once
// The middle of a benchmark's samples: one slow moment of the machine does not move it.

#include <algorithm>
#include <vector>

namespace vantry::bench {

inline double Median(std::vector<double> samples) {
    std::sort(samples.begin(), samples.end());
    return samples[samples.size() / 2];
}

}  // namespace vantry::bench
