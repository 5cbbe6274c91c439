#pragma once

#include <cstdint>

struct GLFWwindow;

/// The display's own count of presented frames for a window: the unadjusted
/// system time (UST) and media stream counter (MSC) of GLX_OML_sync_control.
/// An MSC that advances by more than one between two frames is an exact count
/// of refreshes the program missed. Where the platform does not offer the
/// counters, available() is false.
class SwapCounters {
public:
    explicit SwapCounters(GLFWwindow* window);

    bool available() const { return read_ != nullptr; }
    /// The counters of the latest completed swap; false when they cannot be read.
    bool read(std::int64_t& ust, std::int64_t& msc) const;

private:
    using ReadCounters = bool (*)(void* display, unsigned long drawable, std::int64_t& ust, std::int64_t& msc);
    ReadCounters read_ = nullptr;
    void* display_ = nullptr;
    unsigned long drawable_ = 0;
};
