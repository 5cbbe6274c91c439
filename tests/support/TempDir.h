#pragma once

#include <filesystem>
#include <string>
#include <string_view>

/// A fresh folder under the system's temp folder for a test's fixture files,
/// removed with everything in it when the object goes.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }

    /// path() / name, as a string for functions that take paths as text.
    std::string file(const std::string& name) const;

    /// Writes bytes to the file name in this folder and returns its path.
    std::string write(const std::string& name, std::string_view bytes) const;

private:
    std::filesystem::path path_;
};
