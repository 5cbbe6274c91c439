#include "RunFiles.h"

#include "Limg.h"
#include "ZOTTrial.h"

#include <cctype>
#include <fstream>
#include <set>
#include <system_error>

namespace runFiles {

std::string letterPicture(char letter)
{
    return std::string("data/letters_arial_68pt_100px_hcenter_vcenter/") + letter + ".limg";
}

std::string maskPicture(int number)
{
    return "data/masks/Mask" + std::to_string(number) + ".limg";
}

} // namespace runFiles

namespace {

std::string pictureProblem(const std::filesystem::path& path, std::uintmax_t length)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return "cannot be read";
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    if (!readLimgHeader(file, width, height))
        return "is shorter than the 8 bytes of a LIMG header (" + std::to_string(length) + " bytes)";
    const std::string size = std::to_string(width) + " x " + std::to_string(height) + " pixels";
    // A picture without pixels would show nothing where a letter, mask or text belongs.
    if (width == 0 || height == 0)
        return "holds no picture (" + size + ")";
    const std::optional<std::uint64_t> pixelBytes = limgPixelBytes(width, height);
    if (!pixelBytes || *pixelBytes + 8 != length)
        return "announces " + size + " but holds " + std::to_string(length) + " bytes" +
               (pixelBytes ? " instead of " + std::to_string(*pixelBytes + 8) : std::string()) +
               " (cut off or damaged)";
    return {};
}

std::string widthsProblem(const std::filesystem::path& path)
{
    std::ifstream file(path);
    if (!file)
        return "cannot be read";
    int count = 0;
    for (long long width; count < runFiles::fontWidthCount && file >> width;)
        ++count;
    if (count < runFiles::fontWidthCount)
        return "holds " + std::to_string(count) + " character widths where " +
               std::to_string(runFiles::fontWidthCount) + " are needed";
    return {};
}

std::string shaderProblem(const std::filesystem::path& path)
{
    std::ifstream file(path);
    if (!file)
        return "cannot be read";
    for (char c; file.get(c);)
        if (!std::isspace(static_cast<unsigned char>(c)))
            return {};
    return "is empty";
}

} // namespace

std::vector<RunFile> sessionRunFiles(bool headset)
{
    using Kind = RunFile::Kind;
    std::vector<RunFile> files = {{runFiles::fixationPicture, Kind::picture}, {runFiles::blankPicture, Kind::picture}};
    for (const char letter : ALPHABET)
        files.push_back({runFiles::letterPicture(letter), Kind::picture});
    for (int number = 1; number <= runFiles::maskCount; ++number)
        files.push_back({runFiles::maskPicture(number), Kind::picture});
    files.push_back({runFiles::instructionsTopPicture, Kind::picture});
    files.push_back({runFiles::instructionsBottomPicture, Kind::picture});
    files.push_back({runFiles::fontAtlas, Kind::picture});
    files.push_back({runFiles::fontWidths, Kind::widths});
    // Each renderer compiles its fragment shader first.
    files.push_back({headset ? runFiles::headsetFragmentShader : runFiles::monitorFragmentShader, Kind::shader});
    files.push_back({headset ? runFiles::headsetVertexShader : runFiles::monitorVertexShader, Kind::shader});
    return files;
}

std::vector<RunFileProblem> checkRunFiles(const std::vector<RunFile>& files, const std::filesystem::path& runFolder)
{
    std::vector<RunFileProblem> problems;
    std::set<std::string> missingFolders;
    for (const RunFile& file : files) {
        const std::string folder = file.path.substr(0, file.path.find('/'));
        if (missingFolders.count(folder))
            continue;
        std::error_code error;
        if (folder != file.path && !std::filesystem::is_directory(runFolder / folder, error)) {
            missingFolders.insert(folder);
            problems.push_back({folder + "/", "no such folder here", true});
            continue;
        }
        const std::filesystem::path path = runFolder / file.path;
        const std::filesystem::file_status status = std::filesystem::status(path, error);
        std::string reason;
        if (!std::filesystem::exists(status))
            reason = "missing";
        else if (!std::filesystem::is_regular_file(status))
            reason = "is not a file";
        else if (file.kind == RunFile::Kind::picture)
            reason = pictureProblem(path, std::filesystem::file_size(path, error));
        else if (file.kind == RunFile::Kind::widths)
            reason = widthsProblem(path);
        else
            reason = shaderProblem(path);
        if (!reason.empty())
            problems.push_back({file.path, reason, false});
    }
    return problems;
}
