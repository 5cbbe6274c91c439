#include "LocalTime.h"

std::tm toLocalTime(std::time_t moment)
{
    std::tm local{};
    localtime_s(&local, &moment);
    return local;
}
