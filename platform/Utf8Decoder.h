#pragma once

#include <cstdint>

namespace zeb {

// UTF-8 (RFC 3629) to UTF-16 for CodePageDecoder: the same contract as its Decode. Each
// maximal part of an ill-formed sequence becomes one U+FFFD; a sequence cut by the end of a
// piece is left for the next one, and by the end of the text becomes U+FFFD.
int32_t DecodeUtf8(const uint8_t* data, int32_t count, int32_t base, bool last, char16_t* units,
                   int32_t* positions, int32_t& produced);

}  // namespace zeb
