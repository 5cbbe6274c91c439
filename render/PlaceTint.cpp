#include "PlaceTint.h"

#include "ZOTTrial.h"

void tintPlace(GLint colorLocation, std::uint8_t positionType)
{
    if (positionType == TARGET)
        glUniform3f(colorLocation, 1, 0, 0);
    else if (positionType == DISTRACTOR)
        glUniform3f(colorLocation, 0, 0, 1);
}
