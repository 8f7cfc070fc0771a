#pragma once

#include <cstdint>
#include <string_view>

#include "settings/ReaderSettings.h"
#include "render/ZEBMeasurer.h"

namespace zeb {

struct ViewSize {
    int32_t Width = 0;
    int32_t Height = 0;
};

// The page geometry and font metrics every layout and rendering step uses. All values are
// view pixels unless said otherwise.
struct RenderMetrics {
    int32_t ViewWidth = 0;
    int32_t ViewHeight = 0;
    int32_t PageMargin = 0;
    int32_t LineInterval = 0;
    int32_t SupersampleFactor = 1;
    int32_t LineHeight = 1;
    int32_t Trim = 0;            // the part of the font's height not used between lines
    int32_t SpaceWidth = 0;
    int32_t ParagGap = 0;
    int32_t LineStep = 0;
    int32_t LeftEdge = 0;
    int32_t AvailableWidth = 0;  // negative when the margins are wider than the view
    int32_t MaxCharWidth = 0;    // enlarged pixels
    ColorRef BackColor = 0;
    ColorRef FontColor = 0;
    bool TrueColor = false;
    bool Proportional = true;
    bool FullFormatting = true;
    bool HyphenJoining = true;
};

// Takes the flags, the supersampling factor, the margin, the interval and the colours from the
// settings; the metrics proper follow from ComputeMetrics.
RenderMetrics MetricsFromSettings(const ReaderSettings& settings);
// The profile that draws the page: proportional or fixed width.
const FontProfile& ActiveProfile(const ReaderSettings& settings);

// Fills in the geometry for view and the font metrics of measurer (set to the enlarged font).
void ComputeMetrics(RenderMetrics& m, const ZEBMeasurer& measurer, ViewSize view);

// The width of text in view pixels: measured with a proportional font, else the maximum
// character width for every code unit; divided by the supersampling factor.
int32_t TextWidth(const RenderMetrics& m, const ZEBMeasurer& measurer, std::u16string_view text);
// The advance of one character at the enlarged size, as the raster draws it.
int32_t GlyphAdvance(const RenderMetrics& m, const ZEBMeasurer& measurer, char16_t c);

}  // namespace zeb
