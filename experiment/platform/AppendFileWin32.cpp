#include "ErrnoAppendFile.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>

#include <string>

namespace {

/// Windows' own words for an error code, without the line end it ends in.
std::string systemMessage(DWORD code)
{
    char* text = nullptr;
    const DWORD length = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                            FORMAT_MESSAGE_IGNORE_INSERTS,
                                        nullptr, code, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string message = length ? std::string(text, length) : "Windows error " + std::to_string(code);
    LocalFree(text);
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r' || message.back() == ' '))
        message.pop_back();
    return message;
}

class Win32AppendFile final : public ErrnoAppendFile {
public:
    explicit Win32AppendFile(int fd) : fd_(fd) {}
    ~Win32AppendFile() override { _close(fd_); }

    std::int64_t size() override
    {
        const std::int64_t length = _filelengthi64(fd_);
        return length < 0 ? fail() : length;
    }

    // WriteFile itself rather than _write: the C runtime turns a write the
    // disk cut short into -1 with an errno that need not say why, where
    // WriteFile tells how much it took.
    std::int64_t write(const char* bytes, std::size_t count) override
    {
        DWORD written = 0;
        const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(fd_));
        // The C runtime keeps _O_APPEND by seeking to the end before each of
        // its own writes; a write past it must do the same.
        if (!SetFilePointerEx(handle, LARGE_INTEGER{}, nullptr, FILE_END))
            return fail(systemMessage(GetLastError()));
        if (!WriteFile(handle, bytes, static_cast<DWORD>(count), &written, nullptr))
            return fail(systemMessage(GetLastError()));
        return written;
    }

    bool truncate(std::int64_t length) override { return succeeded(_chsize_s(fd_, length)); }
    bool flushToDisk() override { return succeeded(_commit(fd_)); }

private:
    int fd_;
};

class Win32Disk final : public ResultDisk {
public:
    std::unique_ptr<AppendFile> openForAppend(const std::filesystem::path& path, std::string& error) override
    {
        // Binary mode: the line end is written as it is given (CR LF, see below).
        const int fd = _wopen(path.c_str(), _O_WRONLY | _O_APPEND | _O_CREAT | _O_BINARY, _S_IREAD | _S_IWRITE);
        if (fd < 0) {
            error = std::strerror(errno);
            return nullptr;
        }
        return std::make_unique<Win32AppendFile>(fd);
    }
};

} // namespace

ResultDisk& systemDisk()
{
    static Win32Disk disk;
    return disk;
}

const char* resultLineEnd()
{
    return "\r\n";
}
