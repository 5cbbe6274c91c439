#include "NumberText.h"

#include <sstream>

std::string floatText(float value)
{
    std::ostringstream text;
    text << value;
    return text.str();
}
