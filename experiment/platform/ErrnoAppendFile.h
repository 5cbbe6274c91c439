#pragma once

#include "AppendFile.h"

#include <cerrno>
#include <cstring>

/// The part of an append file that both platforms' C runtimes share: calls
/// report failure through errno, which is kept for lastError().
class ErrnoAppendFile : public AppendFile {
public:
    std::string lastError() const override { return std::strerror(error_); }

protected:
    std::int64_t fail()
    {
        error_ = errno;
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
};
