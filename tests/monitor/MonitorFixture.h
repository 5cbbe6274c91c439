#pragma once
// A whole monitor presentation in a scratch folder: synthetic pictures whose
// colours say which file was drawn, the real shaders, a fake clock, and the
// facade with its window on the X display the test runs under.

#include "Clock.h"
#include "TempDir.h"
#include "ZOTConfig.h"
#include "ZOTRenderer.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

class ManualClock final : public Clock {
public:
    std::int32_t now = 10000;
    std::int32_t milliseconds() const override { return now; }
};

struct Colour {
    int r = 0, g = 0, b = 0;
    friend bool operator==(const Colour&, const Colour&) = default;
};

/// A picture read back from the window, row 0 at the top.
struct Screen {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;
    Colour at(int x, int y) const;
    /// Bounding box of every pixel that is not the background (black):
    /// {left, top, right, bottom}, right and bottom exclusive; all 0 when empty.
    std::array<int, 4> inkBox(int left, int top, int right, int bottom) const;
};

/// The picture of the bound read framebuffer and read buffer, width × height
/// from the origin.
Screen readBack(int width, int height);

/// Mask k (1 to 8) is drawn in its own colour, so a test can tell which mask
/// went where.
Colour maskColour(int k);

struct ZOTTrial;

/// The tint each place of a trial should show when every letter and the blank
/// are solid white tiles: red from a target on, blue from a distractor on, and
/// an empty place keeps the tint of the place before it (white at the start).
std::array<Colour, 6> placeTints(const ZOTTrial& trial);

class MonitorTest : public ::testing::Test {
protected:
    /// Writes the scratch folder and makes it the working directory.
    void SetUp() override;
    void TearDown() override;

    /// zot.cfg lines on top of the defaults of these tests (MONITOR, 60 Hz,
    /// fixed seed, no practice, one block of 12 whole-report trials).
    void start(const std::string& extraConfig = "");
    /// Starts a session from the complete zot.cfg text given, replacing any
    /// session started before (one facade per process).
    void startWith(const std::string& configText);

    /// Runs the timeline one frame and draws it, without presenting.
    Screen frame();
    /// Draws the current state as it stands.
    Screen draw();
    /// The window's back buffer as drawn so far.
    Screen read();
    void press(int kind, unsigned char character = 0);
    /// Steps the timeline until the screen state is reached (at most 1000
    /// frames) and draws that first frame of it.
    Screen frameUntil(int state);

    ZOTExperiment& experiment() { return facade->experiment(); }

    TempDir folder;
    std::filesystem::path previousDirectory;
    ManualClock clock;
    std::unique_ptr<ZOTConfig> config;
    std::unique_ptr<ZOTRenderer> facade;
};
