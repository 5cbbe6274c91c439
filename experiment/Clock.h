#pragma once

#include <cstdint>
#include <ctime>

/// Source of the millisecond time stamps the experiment records and compares.
/// The experiment never reads the wall clock itself, so every timing rule
/// (phase stamps, the space-bar lock-out) can be tested exactly without sleeping.
class Clock {
public:
    virtual ~Clock() = default;

    /// Milliseconds since the process started. Compared as signed 32-bit values;
    /// the count wraps after about 24 days, like the C runtime's clock() on Windows.
    virtual std::int32_t milliseconds() const = 0;

    /// Seconds since the epoch (seeds the random generator when no seed is configured).
    virtual std::time_t calendarTime() const;

    /// The local date and time now, for the history file's "Time:" line.
    virtual std::tm localTime() const;
};

/// b - a in milliseconds for two stamps of a Clock, correct also across the
/// 32-bit wrap of the count.
inline std::int32_t elapsedMs(std::int32_t a, std::int32_t b)
{
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(b) - static_cast<std::uint32_t>(a));
}

/// The process's monotonic clock, counting from process start.
Clock& steadyClock();
