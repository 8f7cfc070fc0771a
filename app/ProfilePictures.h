#pragma once

#include <cstdint>

#include <QImage>

#include "settings/FontProfile.h"

namespace zeb {

// The pictures on a font profile's buttons, in logical pixels, made at ratio device pixels per
// logical pixel so that they stay sharp on dense screens.
constexpr int SwatchWidth = 86, SwatchHeight = 12;
constexpr int SampleWidth = 86, SampleHeight = 37;

// A colour swatch: the colour, with a line of its inverse along the left edge so that the
// button shows its picture even in the colour of the panel.
QImage SwatchPicture(ColorRef colour, int ratio = 1);

// The alphabet in the profile's font and colour on its background, drawn supersample times
// larger and reduced as the page's lines are, vertically centred and clipped.
QImage SamplePicture(const FontProfile& profile, int32_t supersample, int ratio = 1);

// The RGB inverse of a colour.
constexpr ColorRef InverseColor(ColorRef colour)
{
    return (colour & 0xFFFFFFu) ^ 0xFFFFFFu;
}

}  // namespace zeb
