#pragma once

#include <filesystem>
#include <string>
#include <vector>

/// The files a session loads from its run folder, named once here: the loaders
/// take their paths from these, and the check before the window opens walks the
/// same list, so the two cannot drift apart. Paths are relative to the working
/// directory, which is the run folder.
namespace runFiles {

inline constexpr const char* dataFolder = "data";
inline constexpr const char* shaderFolder = "shaders";

inline constexpr const char* fixationPicture = "data/letters_couriernew_18ptbold_100px_hcenter_vcenter/+.limg";
inline constexpr const char* blankPicture = "data/letters_arial_68pt_100px_hcenter_vcenter/blank.limg";
/// The picture of letter `letter` of the alphabet ("A.limg" for A).
std::string letterPicture(char letter);
/// Mask `number`, 1 to 8.
std::string maskPicture(int number);
inline constexpr int maskCount = 8;
inline constexpr const char* instructionsTopPicture = "data/instructions_top.limg";
inline constexpr const char* instructionsBottomPicture = "data/instructions_bottom.limg";
inline constexpr const char* fontAtlas = "data/verdana16_white.limg";
inline constexpr const char* fontWidths = "data/verdana16_widths.txt";
inline constexpr int fontWidthCount = 256;

inline constexpr const char* monitorVertexShader = "shaders/shader2D.vs";
inline constexpr const char* monitorFragmentShader = "shaders/shader2D.fs";
inline constexpr const char* headsetVertexShader = "shaders/simple.vs";
inline constexpr const char* headsetFragmentShader = "shaders/simple.fs";

} // namespace runFiles

/// One file a session loads, and what it must hold.
struct RunFile {
    enum class Kind {
        picture, ///< a LIMG picture with at least one pixel
        widths,  ///< the font's 256 character widths
        shader,  ///< GLSL source
    };
    std::string path;
    Kind kind;
};

/// Every file a session loads: the shared pictures, the instruction pages, the
/// font, and the shaders of the display (the headset's or the monitor's).
std::vector<RunFile> sessionRunFiles(bool headset);

/// Why a run file cannot serve, for each one that cannot: its path (a folder's
/// ends in '/') and the reason. A folder missing as a whole (data/ or shaders/)
/// is one problem, not one per file. Nothing when every file is sound.
struct RunFileProblem {
    std::string path;
    std::string reason;
    /// The problem is a missing data/ or shaders/ folder: zot was started
    /// outside its run folder.
    bool folderMissing = false;
};
/// Checks the files as found in runFolder (the working directory by default).
std::vector<RunFileProblem> checkRunFiles(const std::vector<RunFile>& files,
                                          const std::filesystem::path& runFolder = ".");
