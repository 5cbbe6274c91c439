#include "RefreshMeter.h"

#include "ExposureTable.h"
#include "FixedDecimals.h"

#include <cmath>
#include <ostream>

namespace {

// Below half the nominal period no display paces the swaps: the loop runs as
// fast as it can draw.
constexpr double unpacedFraction = 0.5;
// The tolerance between measured and configured rate, as a fraction.
constexpr double rateTolerance = 0.01;

std::string milliseconds(double microseconds, int decimals)
{
    return fixedDecimals(microseconds / 1000.0, decimals);
}

void writeExposureTable(float configuredRate, double measuredRate, std::ostream& out)
{
    const bool measured = measuredRate > 0.0;
    out << "RefreshMeter > exposures at " << configuredRate << " Hz: nominal ms -> frames -> ms"
        << (measured ? " (ms at the measured rate)" : "") << std::endl;
    for (const int nominal : nominalExposuresMs) {
        const FramedExposure exposure = frameExposure(nominal, configuredRate);
        out << "RefreshMeter > " << nominal << " -> " << exposure.frames << " -> " << exposure.milliseconds;
        if (measured)
            out << " (" << fixedDecimals(exposure.frames * 1000.0 / measuredRate, 1) << ")";
        out << std::endl;
    }
}

void writeRateWarnings(const RefreshMeasurement& measurement, float configuredRate,
                       const RefreshMeterSettings& settings, std::ostream& out)
{
    const IntervalStatistics& stats = measurement.intervals;
    const double nominalPeriod = 1e6 / configuredRate;
    if (stats.meanMicroseconds < unpacedFraction * nominalPeriod) {
        // Says it all: rate and steadiness mean nothing without pacing.
        out << "WARNING > BUFFER SWAPS ARE NOT PACED BY THE DISPLAY: a new frame every "
            << milliseconds(stats.meanMicroseconds, 3) << " ms where " << configuredRate << " Hz needs "
            << milliseconds(nominalPeriod, 3)
            << " ms. EVERY EXPOSURE, FIXATION AND MASK WILL BE FAR TOO SHORT and the data of this session will not "
               "be valid. Turn on vertical sync (driver and compositor settings) before running subjects."
            << std::endl;
        return;
    }
    const double apart = std::fabs(measurement.measuredRate - configuredRate) / configuredRate;
    if (apart > rateTolerance) {
        out << "WARNING > the display refreshes at " << fixedDecimals(measurement.measuredRate, 2)
            << " Hz but refreshRate is " << configuredRate << " Hz (" << fixedDecimals(100.0 * apart, 1)
            << " % apart): phases are counted in frames, so every exposure is off by as much. Set refreshRate "
               "in zot.cfg to the display's rate."
            << std::endl;
    }
    if (measurement.settled)
        return;
    if (stats.count < settings.minimumIntervals)
        out << "WARNING > the refresh rate rests on only " << stats.count << " frame intervals; treat it with care"
            << std::endl;
    else
        out << "WARNING > the frame interval did not settle (SD " << milliseconds(stats.sdMicroseconds, 3)
            << " ms over " << stats.count
            << " intervals): frames are not shown at a steady rate; watch for late-frame warnings." << std::endl;
}

} // namespace

RefreshMeter::RefreshMeter(float configuredRate, std::ostream& out, RefreshMeterSettings settings)
    : configuredRate_(configuredRate)
    , out_(out)
    , settings_(settings)
    , window_(settings.windowIntervals + 1)
{
}

bool RefreshMeter::addFrame(const FrameStamp& stamp)
{
    if (finished_)
        return false;
    if (framesSeen_ < settings_.warmUpFrames) {
        ++framesSeen_;
        return false;
    }
    if (window_.empty())
        firstMeasured_ = stamp.microseconds;
    FrameRecord record;
    record.stamp = stamp;
    window_.push(record);

    const IntervalStatistics stats = intervalStatistics(window_);
    settled_ = stats.count >= settings_.minimumIntervals && stats.sdMicroseconds < settings_.settledSdMicroseconds;
    const bool outOfTime = stamp.microseconds - firstMeasured_ >= settings_.timeLimitMicroseconds;
    if (!settled_ && !outOfTime)
        return false;
    finish();
    return true;
}

void RefreshMeter::finish()
{
    if (finished_)
        return;
    finished_ = true;
    writeRefreshReport(measurement(), configuredRate_, settings_, out_);
}

RefreshMeasurement RefreshMeter::measurement() const
{
    RefreshMeasurement result;
    result.intervals = intervalStatistics(window_);
    // A zero mean (stamps closer than the clock's resolution) has no rate.
    if (result.intervals.count > 0 && result.intervals.meanMicroseconds > 0.0)
        result.measuredRate = 1e6 / result.intervals.meanMicroseconds;
    result.settled = settled_;
    result.predicted = !window_.empty() && window_.fromNewest(0).stamp.predicted;
    return result;
}

void writeRefreshReport(const RefreshMeasurement& measurement, float configuredRate, const RefreshMeterSettings& settings,
                        std::ostream& out)
{
    const IntervalStatistics& stats = measurement.intervals;
    if (stats.count == 0) {
        out << "WARNING > could not measure the refresh rate: too few frames were shown; configured refreshRate = "
            << configuredRate << " Hz" << std::endl;
    }
    else {
        out << "RefreshMeter > " << (measurement.predicted ? "predicted" : "measured") << " refresh rate = "
            << (measurement.measuredRate > 0.0 ? fixedDecimals(measurement.measuredRate, 2) : std::string("unknown"))
            << " Hz (mean frame interval " << milliseconds(stats.meanMicroseconds, 3) << " ms, SD "
            << milliseconds(stats.sdMicroseconds, 3) << " ms, over " << stats.count
            << " intervals); configured refreshRate = " << configuredRate << " Hz" << std::endl;
    }
    if (!(configuredRate > 0.0f)) {
        out << "WARNING > refreshRate is not positive; no exposure can be planned" << std::endl;
        return;
    }

    if (stats.count > 0)
        writeRateWarnings(measurement, configuredRate, settings, out);
    writeExposureTable(configuredRate, measurement.measuredRate, out);
}
