#include "ErrnoAppendFile.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

namespace {

class Win32AppendFile final : public ErrnoAppendFile {
public:
    explicit Win32AppendFile(int fd) : fd_(fd) {}
    ~Win32AppendFile() override { _close(fd_); }

    std::int64_t size() override
    {
        const std::int64_t length = _filelengthi64(fd_);
        return length < 0 ? fail() : length;
    }

    std::int64_t write(const char* bytes, std::size_t count) override
    {
        const int written = _write(fd_, bytes, static_cast<unsigned>(count));
        return written < 0 ? fail() : written;
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
