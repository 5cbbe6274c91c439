#include "Clock.h"

#include "platform/LocalTime.h"

#include <chrono>

namespace {

class SteadyClock final : public Clock {
public:
    std::int32_t milliseconds() const override
    {
        const auto elapsed = std::chrono::steady_clock::now() - start_;
        const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count();
        // Wrap like a 32-bit tick counter instead of overflowing.
        return static_cast<std::int32_t>(static_cast<std::uint32_t>(ms));
    }

private:
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

// Constructed during static initialisation, so "process start" is before main.
SteadyClock processClock;

} // namespace

std::time_t Clock::calendarTime() const
{
    return std::time(nullptr);
}

std::tm Clock::localTime() const
{
    return toLocalTime(calendarTime());
}

Clock& steadyClock()
{
    return processClock;
}
