#pragma once

#include <cstddef>
#include <cstdint>

namespace zeb {

// How the pixels of a line picture are stored: one palette index per pixel, or true colour as
// four bytes per pixel (blue, green, red and an unused byte).
enum class PixelKind { Index8, TrueColor32 };

// Rows of pixels in memory, stride bytes apart.
struct PixelRows {
    const uint8_t* Data;
    ptrdiff_t Stride;

    const uint8_t* Row(int32_t y) const { return Data + ptrdiff_t(y) * Stride; }
};

struct MutablePixelRows {
    uint8_t* Data;
    ptrdiff_t Stride;

    uint8_t* Row(int32_t y) const { return Data + ptrdiff_t(y) * Stride; }
};

}  // namespace zeb
