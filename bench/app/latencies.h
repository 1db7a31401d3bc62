#pragma once

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <vector>

namespace vexa::bench {

// The milliseconds since `start`.
inline double msSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

// The value below which p percent of the values lie (p = 100: the largest); 0 for none.
inline double percentile(std::vector<double> values, double p) {
    if (values.empty()) return 0.0;
    const auto at = static_cast<size_t>(p / 100.0 * static_cast<double>(values.size() - 1));
    std::nth_element(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(at),
                     values.end());
    return values[at];
}

} // namespace vexa::bench
