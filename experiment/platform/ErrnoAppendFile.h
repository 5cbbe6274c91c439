#pragma once

#include "AppendFile.h"

#include <cerrno>
#include <cstring>
#include <string>
#include <utility>

/// The part of an append file that both platforms' C runtimes share: calls
/// report failure through errno, which is kept for lastError().
class ErrnoAppendFile : public AppendFile {
public:
    std::string lastError() const override { return message_.empty() ? std::strerror(error_) : message_; }

protected:
    std::int64_t fail()
    {
        error_ = errno;
        message_.clear();
        return -1;
    }

    /// A failure the system described in its own words rather than by errno.
    std::int64_t fail(std::string message)
    {
        message_ = std::move(message);
        return -1;
    }

    bool succeeded(int result)
    {
        if (result == 0)
            return true;
        fail();
        return false;
    }

private:
    int error_ = 0;
    std::string message_;
};
