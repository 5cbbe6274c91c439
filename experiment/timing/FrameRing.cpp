#include "FrameRing.h"

#include <algorithm>
#include <cmath>

FrameRing::FrameRing(std::size_t capacity)
    : records_(std::make_unique<FrameRecord[]>(std::max<std::size_t>(capacity, 1)))
    , capacity_(std::max<std::size_t>(capacity, 1))
{
}

void FrameRing::push(const FrameRecord& record)
{
    records_[next_] = record;
    next_ = (next_ + 1) % capacity_;
    size_ = std::min(size_ + 1, capacity_);
}

void FrameRing::clear()
{
    next_ = 0;
    size_ = 0;
}

const FrameRecord& FrameRing::fromNewest(std::size_t age) const
{
    return records_[(next_ + capacity_ - 1 - age) % capacity_];
}

IntervalStatistics intervalStatistics(const FrameRing& ring)
{
    IntervalStatistics stats;
    if (ring.size() < 2)
        return stats;
    stats.count = ring.size() - 1;
    const auto interval = [&ring](std::size_t age) {
        return static_cast<double>(ring.fromNewest(age).stamp.microseconds -
                                   ring.fromNewest(age + 1).stamp.microseconds);
    };
    // The intervals telescope, so the mean is exact however the stamps jitter.
    stats.meanMicroseconds = static_cast<double>(ring.fromNewest(0).stamp.microseconds -
                                                 ring.fromNewest(stats.count).stamp.microseconds) /
                             static_cast<double>(stats.count);
    stats.minMicroseconds = stats.maxMicroseconds = interval(0);
    double squares = 0.0;
    for (std::size_t age = 0; age < stats.count; ++age) {
        const double value = interval(age);
        squares += (value - stats.meanMicroseconds) * (value - stats.meanMicroseconds);
        stats.minMicroseconds = std::min(stats.minMicroseconds, value);
        stats.maxMicroseconds = std::max(stats.maxMicroseconds, value);
    }
    if (stats.count > 1)
        stats.sdMicroseconds = std::sqrt(squares / static_cast<double>(stats.count - 1));
    return stats;
}
