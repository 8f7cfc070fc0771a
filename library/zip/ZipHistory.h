// The 8 KiB history that ZIP's reduce and implode methods copy matches from.
#pragma once

#include <algorithm>
#include <cstdint>
#include <limits>

#include "library/common/ExtractedFile.h"
#include "library/common/SlidingWindow.h"

namespace zeb {

// The history that reduce and implode refer back into: the last 8 KiB of the output, with bytes
// before its start reading as zeros. It stops matches at the entry's declared size; a literal
// past it reaches the file, which marks itself overflowed.
inline SlidingWindow ZipHistory(ExtractedFile& out, uint64_t size)
{
    constexpr int32_t HistorySize = 1 << 13;
    constexpr uint64_t Largest = uint64_t(std::numeric_limits<int64_t>::max());
    return SlidingWindow(HistorySize, out, int64_t(std::min(size, Largest)));
}

}  // namespace zeb
