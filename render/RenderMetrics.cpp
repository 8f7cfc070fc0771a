#include "render/RenderMetrics.h"

#include <algorithm>

namespace zeb {

const FontProfile& ActiveProfile(const ReaderSettings& settings)
{
    return settings.Profiles[settings.FontWidth ? ProportionalProfile : FixedProfile];
}

RenderMetrics MetricsFromSettings(const ReaderSettings& settings)
{
    RenderMetrics m;
    m.SupersampleFactor = std::min<int32_t>(settings.Antialiasing, AntialiasingMax) + 1;
    m.TrueColor = settings.ColorResolution;
    m.Proportional = settings.FontWidth;
    m.FullFormatting = settings.TextFormatting != FormattingOriginal;
    m.HyphenJoining = settings.TextFormatting == FormattingFullHyphen;
    const FontProfile& profile = ActiveProfile(settings);
    m.PageMargin = profile.PageMargins;
    m.LineInterval = profile.LineInterval;
    m.BackColor = profile.BackColor;
    m.FontColor = profile.FontColor;
    return m;
}

void ComputeMetrics(RenderMetrics& m, const ZEBMeasurer& measurer, ViewSize view)
{
    FontMetrics tm = measurer.Metrics();
    int32_t f = m.SupersampleFactor;
    m.ViewWidth = view.Width;
    m.ViewHeight = view.Height;
    m.LeftEdge = m.PageMargin;
    m.AvailableWidth = view.Width - 2 * m.PageMargin;
    m.Trim = std::min(tm.Descent, tm.InternalLeading) / f;
    // A line takes at least one pixel, so that a band of lines always ends.
    m.LineHeight = std::max((tm.Height - m.Trim) / f + m.LineInterval, 1);
    m.ParagGap = m.LineHeight * 3 / 10;
    m.LineStep = m.LineHeight / 20;
    m.MaxCharWidth = tm.MaxCharWidth;
    m.SpaceWidth = TextWidth(m, measurer, u" ");
}

int32_t TextWidth(const RenderMetrics& m, const ZEBMeasurer& measurer, std::u16string_view text)
{
    if (m.Proportional)
        return measurer.TextExtent(text) / m.SupersampleFactor;
    return int32_t(int64_t(text.size()) * m.MaxCharWidth / m.SupersampleFactor);
}

int32_t GlyphAdvance(const RenderMetrics& m, const ZEBMeasurer& measurer, char16_t c)
{
    return m.Proportional ? measurer.TextExtent(std::u16string_view(&c, 1)) : m.MaxCharWidth;
}

}  // namespace zeb

