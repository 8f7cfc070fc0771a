#pragma once

#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace zeb {

// Which of up to 64 code units are visible (above U+0020) and which are spaces, bit k standing
// for units[k].
struct UnitMasks {
    uint64_t visible = 0;
    uint64_t spaces = 0;
};

// The masks of units[0 .. count), count at most 64. Units are read in groups of 16: the array
// must hold count rounded up to a multiple of 16; the bits past count are left undefined.
inline UnitMasks MaskUnits(const char16_t* units, int count)
{
    constexpr char16_t Space = 0x20;
    UnitMasks masks;
#if defined(__SSE2__)
    const __m128i space = _mm_set1_epi16(short(Space));
    const __m128i zero = _mm_setzero_si128();
    for (int k = 0; k < count; k += 16) {
        __m128i low = _mm_loadu_si128(reinterpret_cast<const __m128i*>(units + k));
        __m128i high = _mm_loadu_si128(reinterpret_cast<const __m128i*>(units + k + 8));
        // A unit not above a space saturates to 0 when a space is taken from it.
        __m128i blank = _mm_packs_epi16(_mm_cmpeq_epi16(_mm_subs_epu16(low, space), zero),
                                        _mm_cmpeq_epi16(_mm_subs_epu16(high, space), zero));
        __m128i spaces = _mm_packs_epi16(_mm_cmpeq_epi16(low, space),
                                         _mm_cmpeq_epi16(high, space));
        masks.visible |= uint64_t(~_mm_movemask_epi8(blank) & 0xFFFF) << k;
        masks.spaces |= uint64_t(_mm_movemask_epi8(spaces)) << k;
    }
#else
    for (int k = 0; k < count; ++k) {
        masks.visible |= uint64_t(units[k] > Space) << k;
        masks.spaces |= uint64_t(units[k] == Space) << k;
    }
#endif
    return masks;
}

}  // namespace zeb
