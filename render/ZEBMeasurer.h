#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

#include "settings/FontProfile.h"

namespace zeb {

// The font metrics layout uses, in pixels of the font as set (TEXTMETRIC's names).
struct FontMetrics {
    int32_t Height = 0;           // ascent + descent
    int32_t Descent = 0;
    int32_t InternalLeading = 0;  // height minus the em size
    int32_t MaxCharWidth = 0;
};

// The measuring canvas: a font, and the widths of texts drawn with it.
class ZEBMeasurer {
public:
    virtual ~ZEBMeasurer() = default;

    // A canvas like this one, whose font can be changed without touching this one.
    virtual std::unique_ptr<ZEBMeasurer> Clone() const = 0;
    // Sets the profile's font with its size multiplied by sizeFactor.
    virtual void SetFont(const FontProfile& profile, int32_t sizeFactor) = 0;

    virtual FontMetrics Metrics() const = 0;
    // The extent width of text drawn in the current font.
    virtual int32_t TextExtent(std::u16string_view text) const = 0;
};

}  // namespace zeb
