// ARJ method 4; notes on its bits in ArjFastestDecoder.cpp.
#pragma once

#include "library/common/BitInput.h"
#include "library/common/SlidingWindow.h"

namespace zeb {

// ARJ method 4 ("fastest"): LZ77 with unary-prefixed lengths and distances, no Huffman codes.
// Decodes until the window has produced its total.
void DecodeArjFastest(BitInput& in, SlidingWindow& window);

}  // namespace zeb
