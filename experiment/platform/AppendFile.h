#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

/// One result file, opened for appending through the system's own calls (no C
/// stream buffer in between), so that a line goes out in exactly one write and
/// a failed write can be cut back.
class AppendFile {
public:
    virtual ~AppendFile() = default;

    /// The file's length in bytes now, or -1 when the system cannot tell.
    virtual std::int64_t size() = 0;
    /// One write call at the end of the file. Returns the bytes the system
    /// took, which may be fewer than asked (a full disk), or -1.
    virtual std::int64_t write(const char* bytes, std::size_t count) = 0;
    /// Cuts the file back to length bytes.
    virtual bool truncate(std::int64_t length) = 0;
    /// Forces what was written onto the disk.
    virtual bool flushToDisk() = 0;
    /// The system's words for the last failure ("No space left on device").
    virtual std::string lastError() const = 0;
};

/// Where result files are opened. The program uses the platform's file system;
/// tests put a full, slow or read-only disk in its place.
class ResultDisk {
public:
    virtual ~ResultDisk() = default;

    /// Opens path for appending, creating it when missing. Returns nullptr and
    /// sets error to the system's words when it cannot.
    virtual std::unique_ptr<AppendFile> openForAppend(const std::filesystem::path& path, std::string& error) = 0;
};

/// The platform's file system.
ResultDisk& systemDisk();

/// The line end result files are written with: what the platform's text mode
/// writes (LF, CR LF on Windows), so analysis tools read the files as before.
const char* resultLineEnd();
