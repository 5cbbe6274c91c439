#include "DiskSync.h"

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

bool flushToDisk(std::FILE* file)
{
#ifdef _WIN32
    return _commit(_fileno(file)) == 0;
#else
    return fsync(fileno(file)) == 0;
#endif
}
