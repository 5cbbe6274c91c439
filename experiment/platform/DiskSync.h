#pragma once

#include <cstdio>

/// Forces what has been written to file (already flushed from the C buffer)
/// onto the disk. Returns false when the system reports a failure.
bool flushToDisk(std::FILE* file);
