#pragma once

#include <array>
#include <cstdint>

#include "render/PixelRows.h"
#include "settings/FontProfile.h"

namespace zeb {

// The 256 colours of an indexed line picture: entry 0 the background, each further entry a
// step of 1/256 towards the font colour, so that averaging indices averages colours. The font
// colour itself (entry 256) is not among them.
using RampPalette = std::array<ColorRef, 256>;

RampPalette MakeRampPalette(ColorRef background, ColorRef font);

// A COLORREF (0x00BBGGRR) as a 32-bit pixel value 0xFFRRGGBB.
constexpr uint32_t PixelOf(ColorRef c)
{
    return 0xFF000000u | (c & 0xFFu) << 16 | (c & 0xFF00u) | (c >> 16 & 0xFFu);
}

// Shows width x height palette indices as 32-bit pixels (PixelOf each entry).
void ShowThroughPalette(const RampPalette& palette, PixelRows indices, MutablePixelRows pixels,
                        int32_t width, int32_t height);

}  // namespace zeb
