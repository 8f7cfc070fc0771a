// The Qt measurer on the offscreen platform, with the installed DejaVu and Comic Neue fonts.
#include <QFontInfo>

#include <gtest/gtest.h>

#include "render/ProfileFont.h"
#include "render/QtMeasurer.h"
#include "render/RenderMetrics.h"

namespace zeb {
namespace {

FontProfile Profile(const char* face, int32_t points)
{
    FontProfile p;
    p.FontName = face;
    p.FontSize = points;
    return p;
}

TEST(QtMeasurerTest, PointsBecomePixelsAt96PerInch)
{
    EXPECT_EQ(PointsToPixels(12), 16);
    EXPECT_EQ(PointsToPixels(48), 64);
    EXPECT_EQ(PointsToPixels(25), 33);  // 33.33
    EXPECT_EQ(PointsToPixels(26), 35);  // 34.67
    EXPECT_EQ(PointsToPixels(-64), -85);
}

TEST(QtMeasurerTest, DefaultFacesAreStoodInFor)
{
    EXPECT_EQ(QFontInfo(BuildProfileFont(Profile("Comic Sans MS", 12))).family(), "Comic Neue");
    EXPECT_EQ(QFontInfo(BuildProfileFont(Profile("Lucida Console", 12))).family(),
              "DejaVu Sans Mono");
    FontProfile styled = Profile("DejaVu Sans", 10);
    styled.Bold = styled.Italic = styled.Underline = styled.StrikeOut = true;
    QFont font = BuildProfileFont(styled);
    EXPECT_TRUE(font.bold() && font.italic() && font.underline() && font.strikeOut());
}

TEST(QtMeasurerTest, FourByFourMeasuresAtFourTimesTheSizeAndDividesBack)
{
    QtMeasurer measurer;
    measurer.SetFont(Profile("DejaVu Sans", 12), 4);
    EXPECT_EQ(measurer.Font().pixelSize(), 64);  // 48 points
    FontMetrics tm = measurer.Metrics();
    QFontMetrics qt(measurer.Font());
    EXPECT_EQ(tm.Height, qt.ascent() + qt.descent());
    EXPECT_EQ(tm.InternalLeading, tm.Height - 64);
    EXPECT_EQ(tm.MaxCharWidth, qt.maxWidth());

    RenderMetrics m;
    m.SupersampleFactor = 4;
    m.Proportional = true;
    std::u16string text = u"Proportional text";
    int32_t enlarged = measurer.TextExtent(text);
    EXPECT_EQ(enlarged, qt.horizontalAdvance(QStringLiteral("Proportional text")));
    EXPECT_EQ(TextWidth(m, measurer, text), enlarged / 4);
    EXPECT_EQ(measurer.TextExtent(text), enlarged);  // the second time from the cache
    EXPECT_EQ(GlyphAdvance(m, measurer, u'W'), qt.horizontalAdvance(QChar(u'W')));

    // With the fixed-width profile every code unit is the widest character, whatever it is.
    m.Proportional = false;
    m.MaxCharWidth = tm.MaxCharWidth;
    EXPECT_EQ(TextWidth(m, measurer, u"iii"), 3 * tm.MaxCharWidth / 4);
    EXPECT_EQ(GlyphAdvance(m, measurer, u'i'), tm.MaxCharWidth);
}

TEST(QtMeasurerTest, MetricsOfADefaultProfile)
{
    QtMeasurer measurer;
    RenderMetrics m;
    m.PageMargin = 5;
    m.LineInterval = 0;
    measurer.SetFont(Profile("Comic Sans MS", 26), 1);
    ComputeMetrics(m, measurer, {1920, 1080});
    FontMetrics tm = measurer.Metrics();
    EXPECT_EQ(m.AvailableWidth, 1910);
    EXPECT_EQ(m.Trim, std::min(tm.Descent, tm.InternalLeading));
    EXPECT_EQ(m.LineHeight, tm.Height - m.Trim);
    EXPECT_EQ(m.ParagGap, m.LineHeight * 3 / 10);
    EXPECT_EQ(m.SpaceWidth, measurer.TextExtent(u" "));
    EXPECT_GT(m.SpaceWidth, 0);
}

}  // namespace
}  // namespace zeb
