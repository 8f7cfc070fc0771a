#include "storage/TextPlace.h"

#include <cmath>

namespace zeb {

int32_t PlaceInTenths(int32_t position, int32_t start, int32_t end)
{
    if (end <= start)
        return 0;
    return int32_t(std::floor((double(position) - start) * 1000 / (double(end) - start) + 0.5));
}

std::optional<int32_t> PositionAtPercent(long double percent, int32_t start, int32_t end)
{
    if (start >= end)
        return std::nullopt;
    long double offset = std::floor((static_cast<long double>(end) - start - 1) * percent * 0.01L);
    return int32_t(offset) + start;
}

}  // namespace zeb
