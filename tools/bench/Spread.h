#pragma once
// Summaries the benchmark programs print.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <numeric>
#include <vector>

inline double milliseconds(std::chrono::steady_clock::duration duration)
{
    return std::chrono::duration<double, std::milli>(duration).count();
}

/// One line: mean, median, 99th percentile and maximum of values (ms).
inline void printSpread(const char* what, std::vector<double> values)
{
    if (values.empty())
        return;
    std::sort(values.begin(), values.end());
    const double mean = std::accumulate(values.begin(), values.end(), 0.0) / static_cast<double>(values.size());
    auto at = [&](double share) { return values[static_cast<std::size_t>(share * static_cast<double>(values.size() - 1))]; };
    std::printf("%-36s mean %6.3f  median %6.3f  p99 %6.3f  max %6.3f ms\n", what, mean, at(0.5), at(0.99),
                values.back());
}
