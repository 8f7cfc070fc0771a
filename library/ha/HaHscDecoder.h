// HA's HSC method; notes on its model in HaHscDecoder.cpp.
#pragma once

#include "library/ha/HaArithmeticDecoder.h"
#include "library/common/SlidingWindow.h"

namespace zeb {

// HA's HSC method: an order-4 finite-context model with escapes, driving the arithmetic
// decoder. Decodes until the member's end symbol; output beyond the window's total means
// damaged data and raises ArchiveDataError.
void DecodeHaHsc(HaArithmeticDecoder& coder, SlidingWindow& window);

}  // namespace zeb
