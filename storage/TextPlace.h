#pragma once

#include <cstdint>
#include <optional>

namespace zeb {

// Where position lies between the text's start and end, in tenths of a percent rounded to the
// nearest (0 .. 1000); 0 for a text without extent.
int32_t PlaceInTenths(int32_t position, int32_t start, int32_t end);

// The position percent (0 .. 100) of the way from start to the last position, end - 1; none
// for a text without extent.
std::optional<int32_t> PositionAtPercent(long double percent, int32_t start, int32_t end);

}  // namespace zeb
