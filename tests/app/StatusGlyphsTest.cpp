// The glyph pictures of the status display: which picture draws which character, the text
// picture made of them, and their pixels at both pixel ratios.
#include <set>

#include <QImage>

#include <gtest/gtest.h>

#include "app/StatusGlyphs.h"
#include "platform/ui/ToolbarLook.h"

namespace zeb::test {
namespace {

std::set<QRgb> Colours(const QImage& image)
{
    std::set<QRgb> colours;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            colours.insert(image.pixel(x, y));
    return colours;
}

TEST(StatusGlyphsTest, EachCharacterHasItsPicture)
{
    struct Case {
        char16_t c;
        int id;
    };
    for (Case c : {Case{u'0', 0x418}, Case{u'5', 0x41D}, Case{u'9', 0x421}, Case{u'.', 0x416},
                   Case{u'%', 0x40D}, Case{u':', 0x422}, Case{u'-', 0x408}, Case{u' ', 0x408},
                   Case{u'a', 0x408}})
        EXPECT_EQ(GlyphId(c.c), c.id) << char(c.c);
}

TEST(StatusGlyphsTest, TheTextPictureSetsTheGlyphsSideBySide)
{
    StatusGlyphs glyphs(1);
    const QImage& zero = glyphs.Picture(GlyphDigitZero);
    const QImage& point = glyphs.Picture(GlyphPoint);
    const QImage& percent = glyphs.Picture(GlyphPercent);
    QImage text = glyphs.TextPicture(u"0.0%");
    EXPECT_EQ(text.format(), QImage::Format_RGB888);
    const int width = 2 * zero.width() + point.width() + percent.width();
    ASSERT_EQ(text.size(), QSize(width, zero.height()));
    EXPECT_EQ(text.copy(0, 0, zero.width(), zero.height()), zero);
    EXPECT_EQ(text.copy(zero.width(), 0, point.width(), zero.height()), point);
    EXPECT_EQ(text.copy(zero.width() + point.width(), 0, zero.width(), zero.height()), zero);
    EXPECT_EQ(text.copy(width - percent.width(), 0, percent.width(), zero.height()), percent);
}

// At one pixel a pixel is lit or not, so the digits are sharp; no two of them look alike.
TEST(StatusGlyphsTest, DigitsAreSharpAndDistinct)
{
    StatusGlyphs glyphs(1);
    const std::set<QRgb> twoColours = {QColor(ToolbarColor).rgb(), StatusTextColor.rgb()};
    for (int id = GlyphDigitZero; id <= GlyphDigitZero + 9; ++id) {
        EXPECT_EQ(Colours(glyphs.Picture(id)), twoColours) << id;
        for (int other = GlyphDigitZero; other < id; ++other)
            EXPECT_NE(glyphs.Picture(id), glyphs.Picture(other)) << id << " " << other;
    }
    for (int id : {GlyphPoint, GlyphColon, GlyphOther})
        EXPECT_EQ(Colours(glyphs.Picture(id)), twoColours) << id;
}

TEST(StatusGlyphsTest, AtTwiceThePixelsThePicturesKeepTheirSize)
{
    StatusGlyphs single(1), twice(2);
    for (int id : {GlyphDigitZero, GlyphPoint, GlyphPercent, GlyphColon, GlyphOther}) {
        EXPECT_EQ(twice.Picture(id).size(), single.Picture(id).size() * 2) << id;
        EXPECT_EQ(twice.Picture(id).deviceIndependentSize(), QSizeF(single.Picture(id).size()))
            << id;
    }
    const QImage text = twice.TextPicture(u"23:59");
    EXPECT_EQ(text.devicePixelRatio(), 2.0);
    EXPECT_EQ(text.size(), single.TextPicture(u"23:59").size() * 2);
}

}  // namespace
}  // namespace zeb::test
