#pragma once

#include "DropDetection.h"
#include "FrameStamp.h"

#include <cstddef>
#include <memory>

/// One presented frame: its stamp, the experiment state it showed (1 to 10) and
/// how it kept to the refresh.
struct FrameRecord {
    FrameStamp stamp;
    int state = 0;
    FrameLateness lateness;
};

/// The most recent frames, oldest overwritten first. The storage is allocated
/// once, at construction, so recording a frame never allocates.
class FrameRing {
public:
    /// About eleven seconds at 90 Hz, four at 240 Hz.
    static constexpr std::size_t defaultCapacity = 1024;

    explicit FrameRing(std::size_t capacity = defaultCapacity);

    void push(const FrameRecord& record);
    void clear();
    std::size_t size() const { return size_; }
    std::size_t capacity() const { return capacity_; }
    bool empty() const { return size_ == 0; }
    /// The record `age` frames before the newest (0 is the newest); age < size().
    const FrameRecord& fromNewest(std::size_t age) const;

private:
    std::unique_ptr<FrameRecord[]> records_;
    std::size_t capacity_;
    std::size_t next_ = 0;
    std::size_t size_ = 0;
};

/// Spread of the intervals between consecutive frames held in a ring.
struct IntervalStatistics {
    std::size_t count = 0;
    double meanMicroseconds = 0.0;
    /// Sample standard deviation; 0 with fewer than two intervals.
    double sdMicroseconds = 0.0;
    double minMicroseconds = 0.0;
    double maxMicroseconds = 0.0;
};

/// Mean, standard deviation and range of the intervals of all frames in `ring`.
IntervalStatistics intervalStatistics(const FrameRing& ring);
