#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "render/RenderMetrics.h"
#include "render/ZEBRenderParagObject.h"
#include "storage/BookText.h"

namespace zeb {

// What a TAB in a word becomes on the page.
constexpr std::u16string_view TabSpaces = u"        ";

// What laying out a block reads: the engine's metrics and measuring canvas, and the text.
struct LayoutContext {
    const RenderMetrics& Metrics;
    const ZEBMeasurer& Measurer;
    const BookText& Text;

    int32_t Width(std::u16string_view text) const { return TextWidth(Metrics, Measurer, text); }
};

// Replaces the block's lines by a fresh layout of [block.Start, block.End) in the formatting
// mode of the metrics.
void LayOutBlock(ZEBRenderParagObject& block, const LayoutContext& context);

// The lines of the two kinds of layout.
void LayOutFull(ZEBRenderParagObject& block, const LayoutContext& context);
void LayOutOriginal(ZEBRenderParagObject& block, const LayoutContext& context);

// The longest prefix of text, shorter than text, whose width passes fits; 0 when not even one
// character does. Prefix widths grow with their length, so the search gallops and bisects
// instead of measuring every prefix: a word joined from many hyphenated pieces stays cheap.
template <typename Fits>
size_t LongestFittingPrefix(const LayoutContext& context, std::u16string_view text, Fits fits)
{
    if (text.size() < 2 || !fits(context.Width(text.substr(0, 1))))
        return 0;
    size_t good = 1, bad = 2;
    while (bad < text.size() && fits(context.Width(text.substr(0, bad)))) {
        good = bad;
        bad = std::min(2 * bad, text.size());
    }
    while (bad - good > 1) {
        size_t middle = good + (bad - good) / 2;
        if (fits(context.Width(text.substr(0, middle))))
            good = middle;
        else
            bad = middle;
    }
    return good;
}

}  // namespace zeb
