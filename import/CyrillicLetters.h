#pragma once

#include <cstdint>
#include <span>

namespace zeb {

// Which Cyrillic code page a sample of 8-bit text is in, told from how often the letters it
// decodes to occur in Russian and Ukrainian text; 0 when no page makes it read as Cyrillic.
// The charset detector knows no 866, and mixes up 1251 and KOI8-R on short texts.
int32_t LikeliestCyrillicCodePage(std::span<const uint8_t> sample);

// Whether codePage is one of the Cyrillic pages told apart here (1251, 866, KOI8-R, 8859-5).
bool IsCyrillicCodePage(int32_t codePage);

}  // namespace zeb
