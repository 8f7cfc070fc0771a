// HA's ASC method; notes on its model in HaAscDecoder.cpp.
#pragma once

#include "library/ha/HaArithmeticDecoder.h"
#include "library/common/SlidingWindow.h"

namespace zeb {

// HA's ASC method: LZ77 over a 31200-byte history whose literals, match positions and match
// lengths are coded with adaptive frequency trees. Decodes until the member's end symbol.
// Output beyond the window's total means damaged data and raises ArchiveDataError.
void DecodeHaAsc(HaArithmeticDecoder& coder, SlidingWindow& window);

}  // namespace zeb
