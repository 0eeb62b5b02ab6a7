#pragma once
// The median of a benchmark's rounds: one slow round (a flush, another process) moves it
// less than it moves a mean.
#include <algorithm>
#include <cstddef>
#include <vector>

namespace gs::bench {

inline double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

} // namespace gs::bench
