#pragma once

#include "ObserverSetting.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

/// Presentation device.
enum Display : std::int32_t { VIVE = 0, MONITOR = 1 };

/// Composition of the trial lists.
enum Mode : std::int32_t { WHOLE = 0, PARTIAL = 1, COMBI = 2 };

/// Red, green, blue, alpha, 0 to 255 each.
using Color = std::array<std::uint8_t, 4>;

/// Every setting of a session, filled once at start-up from "zot.cfg" (key=value lines).
/// Keys the file does not set keep the defaults below; nothing in the file can make
/// construction fail. The fields are named by their keys and read directly.
struct ZOTConfig {
    Display display = VIVE;
    /// Frames per second; converts exposure times into frames. Forced to 90 for VIVE.
    float refreshRate = 90.0f;
    Mode mode = COMBI;
    std::int32_t blocksPerRun = 9;   ///< at least 1
    std::int32_t trialsPerBlock = 36; ///< at least 1, the practice block included
    bool practiceBlock = true;
    float size = 6.0f;
    float radius = 15.0f;
    float yRoot = 0.0f;
    float zDepth = -70.0f;
    float sizeMonitor = 5.0f;
    float radiusMonitor = 15.0f;
    float fixCrossSize = 5.0f;
    float reportTextSize = 2.0f;
    Color backgroundColor = {0, 0, 0, 255};
    bool showFPS = false;
    bool consoleDebugInfo = false;
    bool debugQuad = false;
    bool fullscreen = false;
    bool subjectInput = true;
    bool enableDepthPerception = false;
    std::vector<std::int32_t> depthAngles; ///< same length as depthLines after construction
    std::vector<std::int32_t> depthLines;
    Color lineColor = {255, 255, 255, 255};
    std::vector<float> depths;
    /// Seeds the random generator, so a session's trial lists can be drawn again.
    /// Absent: the calendar time seeds it.
    std::optional<std::uint32_t> randomSeed;
    /// A simulated observer that answers every trial in place of a person
    /// (`autopilot=C,K,t0,alpha,wLeft`). Absent: a person answers.
    std::optional<ObserverSetting> autopilot;

    // Texts keep "\n" as the two characters backslash and n; the text layout breaks
    // the lines there. %%NUMBER%%, %%NUMBER1%% and %%NUMBER2%% are filled in per screen.
    std::string textWelcome = "This practice block\\nincludes %%NUMBER%% trials.\\nPress space to continue!";
    std::string textBeforeBlock = "Block %%NUMBER1%% of %%NUMBER2%%.\\nPress space to continue!";
    std::string textAfterBlock = "In this block your answers\\nwere to %%NUMBER1%%% correct.\\nYou made %%NUMBER2%% "
                                 "mistakes.\\nYour answers should be\\nto 80-90% correct.\\nPress space to continue!";
    std::string textDone = "The experiment has finished.\\nThank you\\nfor participating.\\nESCAPE to exit";
    std::string textInputSubjectID = "Please enter subject ID:";
    std::string textInputSubjectCode =
        "Please enter subject code (2.&3. letters of subject's first name, 2.&3. letters of subject mother's name, "
        "MONTH of subject mother's birth (two digits) & subject's birth DAY (two digits), first letter of subject's "
        "birth place):";
    std::string textInputSession = "Please enter session ID:";
    std::string textInputAge = "Subject's age:";
    std::string textInputGender = "Subjects gender (f/m):";
    std::string textInputHandedness = "Handedness (r/l):";
    std::string textInputVisionaid = "Vision aid (0: no impairment, 1: contacts, 2: glasses):";

    /// Reads "zot.cfg" in the working directory and echoes the settings on standard output.
    ZOTConfig();
    /// Reads the given file (a missing one leaves the defaults); warnings and the echo go to console.
    explicit ZOTConfig(const std::filesystem::path& file, std::ostream& console);
    /// Reads key=value lines from a stream; warnings and the echo go to console.
    ZOTConfig(std::istream& file, std::ostream& console);

private:
    void read(std::istream& file, std::ostream& console);
    void apply(const std::string& key, const std::string& value, std::ostream& console);
    void fixUp(std::ostream& console);
    void echo(std::ostream& console) const;
};
