#include "ErrnoAppendFile.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

class PosixAppendFile final : public ErrnoAppendFile {
public:
    explicit PosixAppendFile(int fd) : fd_(fd) {}
    ~PosixAppendFile() override { ::close(fd_); }

    std::int64_t size() override
    {
        struct stat status {};
        if (::fstat(fd_, &status) != 0)
            return fail();
        return status.st_size;
    }

    std::int64_t write(const char* bytes, std::size_t count) override
    {
        ssize_t written;
        do
            written = ::write(fd_, bytes, count);
        while (written < 0 && errno == EINTR);
        return written < 0 ? fail() : written;
    }

    bool truncate(std::int64_t length) override { return succeeded(::ftruncate(fd_, length)); }
    bool flushToDisk() override { return succeeded(::fsync(fd_)); }

private:
    int fd_;
};

class PosixDisk final : public ResultDisk {
public:
    std::unique_ptr<AppendFile> openForAppend(const std::filesystem::path& path, std::string& error) override
    {
        const int fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
        if (fd < 0) {
            error = std::strerror(errno);
            return nullptr;
        }
        // A folder or device of that name would open read-only at best; only
        // a plain file can hold result lines.
        struct stat status {};
        if (::fstat(fd, &status) == 0 && !S_ISREG(status.st_mode)) {
            ::close(fd);
            error = "not a plain file";
            return nullptr;
        }
        return std::make_unique<PosixAppendFile>(fd);
    }
};

} // namespace

ResultDisk& systemDisk()
{
    static PosixDisk disk;
    return disk;
}

const char* resultLineEnd()
{
    return "\n";
}
