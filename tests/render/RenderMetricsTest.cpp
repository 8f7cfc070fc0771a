// The metrics derived from the font, exact with the fake measurer.
#include <gtest/gtest.h>

#include "FakeMeasurer.h"
#include "render/RenderMetrics.h"

namespace zeb::test {
namespace {

TEST(RenderMetricsTest, EnlargedFontIsDividedBackWithTruncation)
{
    ReaderSettings settings = InitialReaderSettings();
    settings.Antialiasing = 1;  // 2x2
    settings.FontWidth = true;
    settings.Profiles[ProportionalProfile].PageMargins = 7;
    settings.Profiles[ProportionalProfile].LineInterval = 4;
    RenderMetrics m = MetricsFromSettings(settings);
    FakeMeasurer measurer;
    measurer.SetFont(settings.Profiles[ProportionalProfile], m.SupersampleFactor);
    ComputeMetrics(m, measurer, {300, 200});

    EXPECT_EQ(m.SupersampleFactor, 2);
    EXPECT_EQ(m.LeftEdge, 7);
    EXPECT_EQ(m.AvailableWidth, 286);
    EXPECT_EQ(m.Trim, 3);              // min(8, 6) / 2
    EXPECT_EQ(m.LineHeight, 37 / 2 + 4);  // (40 - 3) / 2 + interval
    EXPECT_EQ(m.ParagGap, 22 * 3 / 10);
    EXPECT_EQ(m.LineStep, 1);
    EXPECT_EQ(m.MaxCharWidth, 24);     // enlarged
    EXPECT_EQ(m.SpaceWidth, 5);
    EXPECT_EQ(TextWidth(m, measurer, u"ab i"), (20 + 20 + 10 + 8) / 2);
    EXPECT_EQ(GlyphAdvance(m, measurer, u'i'), 8);

    // The fixed-width profile counts the widest character for every code unit.
    m.Proportional = false;
    EXPECT_EQ(TextWidth(m, measurer, u"iii"), 3 * 24 / 2);
    EXPECT_EQ(GlyphAdvance(m, measurer, u'i'), 24);
}

TEST(RenderMetricsTest, IntervalShrinksTheLineButNeverBelowOnePixel)
{
    ReaderSettings settings = InitialReaderSettings();
    FakeMeasurer measurer;
    for (auto [interval, height] : {std::pair{0, 17}, {-10, 7}, {-17, 1}, {-500, 1}}) {
        settings.Profiles[ProportionalProfile].LineInterval = interval;
        RenderMetrics m = MetricsFromSettings(settings);
        ComputeMetrics(m, measurer, {300, 200});
        EXPECT_EQ(m.LineHeight, height) << interval;
    }
}

}  // namespace
}  // namespace zeb::test
