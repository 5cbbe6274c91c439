#include "XrSwapchainFormat.h"

#include <GL/glew.h>

#include <algorithm>

std::int64_t chooseSwapchainFormat(const std::vector<std::int64_t>& offered)
{
    for (const std::int64_t wanted : {std::int64_t{GL_SRGB8_ALPHA8}, std::int64_t{GL_RGBA8}})
        if (std::find(offered.begin(), offered.end(), wanted) != offered.end())
            return wanted;
    return 0;
}
