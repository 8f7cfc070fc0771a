#pragma once

#include <cstdint>

#include "render/PixelRows.h"

namespace zeb {

// Reduces a supersampled picture by f (2, 3 or 4) into width x height pixels: every destination
// value is the truncated mean of its f x f source samples, byte by byte (so per channel for
// true colour). The source holds width * f x height * f pixels. With f = 1 the picture is
// already at its size: nothing is done.
void BoxReduce(PixelKind kind, int32_t f, PixelRows source, MutablePixelRows destination,
               int32_t width, int32_t height);

}  // namespace zeb
