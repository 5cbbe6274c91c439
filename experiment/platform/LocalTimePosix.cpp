#include "LocalTime.h"

std::tm toLocalTime(std::time_t moment)
{
    std::tm local{};
    localtime_r(&moment, &local);
    return local;
}
