// The Qt line raster: a request stepped through its states, the supersampled pictures reduced
// into the line picture (true colour and indexed), the device pixel ratio.
#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

#include <QImage>

#include <gtest/gtest.h>

#include "QtEngineFixture.h"
#include "render/ProfileFont.h"
#include "render/QtLineBitmap.h"

namespace zeb::test {
namespace {

constexpr int32_t ViewWidth = 120;
constexpr int32_t LineHeight = 24;
constexpr int32_t TextTop = 2;

// A request for one line of two words, "ab" at x 5 and "Wc" at x 40, as the engine makes it.
std::unique_ptr<ZEBRenderQuenue> Request(int32_t f, bool trueColor,
                                         std::vector<ZEBRenderQuenueWord> words = {
                                             {0, 5, u"ab"}, {0, 40, u"Wc"}})
{
    auto canvas = std::make_shared<QtMeasurer>();
    canvas->SetFont(RasterSettings(0, trueColor).Profiles[ProportionalProfile], f);
    auto request = std::make_unique<ZEBRenderQuenue>();
    request->Metrics.SupersampleFactor = f;
    request->Metrics.TrueColor = trueColor;
    request->Metrics.Proportional = true;
    request->Metrics.ViewWidth = ViewWidth;
    request->Metrics.MaxCharWidth = canvas->Metrics().MaxCharWidth;
    request->Metrics.BackColor = PageBack;
    request->Metrics.FontColor = PageInk;
    request->Canvas = std::move(canvas);
    request->LineHeight = LineHeight;
    request->TextTop = TextTop;
    request->Words = std::move(words);
    return request;
}

const QImage& ImageOf(const std::unique_ptr<ZEBLineBitmap>& bitmap)
{
    return dynamic_cast<const QtLineBitmap&>(*bitmap).Image;
}

void StepUntil(QtRasterStep& raster, ZEBRenderQuenue& request, int state)
{
    while (request.StepState < state)
        ASSERT_TRUE(raster.Advance(request));
}

int CountPixels(const QImage& image, QRgb value)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += image.pixel(x, y) == value;
    return n;
}

int CountInk(const QImage& indices)
{
    return indices.width() * indices.height() - CountPixels(indices, qRgb(0, 0, 0));
}

// The rectangle of pixels that are not background.
QRect InkBox(const QImage& image)
{
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != PixelOf(PageBack))
                box |= QRect(x, y, 1, 1);
    return box;
}

TEST(QtRasterTest, ARequestGoesThroughEveryStateOneStepAtATime)
{
    QtRasterStep raster;
    auto request = Request(2, false);
    ASSERT_TRUE(raster.Advance(*request));
    ASSERT_EQ(request->StepState, 1);
    QImage& enlarged = const_cast<QImage&>(ImageOf(request->Enlarged));
    ASSERT_EQ(enlarged.size(), QSize(2 * ViewWidth, 2 * LineHeight));
    ASSERT_EQ(enlarged.format(), QImage::Format_Grayscale8);

    // Eight strips of background (index 0), each one step; the rest keeps what was there.
    enlarged.fill(0x77);
    const int width = enlarged.width();
    for (int strip = 0; strip < 8; ++strip) {
        EXPECT_EQ(request->StepState, 1);
        ASSERT_TRUE(raster.Advance(*request));
        const int end = width * (strip + 1) / 8;
        for (int y : {0, enlarged.height() - 1}) {
            EXPECT_EQ(qGray(enlarged.pixel(end - 1, y)), 0) << strip;
            if (end < width) {
                EXPECT_EQ(qGray(enlarged.pixel(end, y)), 0x77) << strip;
            }
        }
    }

    // One character per step, from each word's x times f.
    ASSERT_EQ(request->StepState, 2);
    EXPECT_EQ(request->CursorX, 10);
    int ink = CountInk(enlarged);
    auto advance = [&](char16_t c) { return GlyphAdvance(request->Metrics, *request->Canvas, c); };
    const std::vector<int32_t> cursorAfter{10 + advance(u'a'), 80, 80 + advance(u'W')};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(request->StepState, 2) << i;
        ASSERT_TRUE(raster.Advance(*request));
        EXPECT_GT(CountInk(enlarged), ink) << i;
        ink = CountInk(enlarged);
        if (i < 3) {
            EXPECT_EQ(request->CursorX, cursorAfter[size_t(i)]) << i;
        }
    }

    ASSERT_EQ(request->StepState, 3);
    ASSERT_TRUE(raster.Advance(*request));
    EXPECT_EQ(request->StepState, 4);
    EXPECT_EQ(ImageOf(request->Reduced).size(), QSize(ViewWidth, LineHeight));
    ASSERT_TRUE(raster.Advance(*request));
    EXPECT_TRUE(request->IsFinished());
    EXPECT_EQ(request->Enlarged, nullptr);
    EXPECT_EQ(request->Reduced, nullptr);
    ASSERT_NE(request->Result, nullptr);
    EXPECT_EQ(ImageOf(request->Result).size(), QSize(ViewWidth, LineHeight));
    EXPECT_EQ(ImageOf(request->Result).format(), QImage::Format_RGB32);

    EXPECT_FALSE(raster.Advance(*request));  // idle at 5
    EXPECT_EQ(request->StepState, 5);
}

TEST(QtRasterTest, ALineWithoutCharactersGoesFromTheStripsToTheReduction)
{
    QtRasterStep raster;
    auto request = Request(2, true, {{0, 5, u""}});
    int steps = 0;
    while (raster.Advance(*request))
        ++steps;
    EXPECT_EQ(steps, 1 + 8 + 2);
    const QImage& result = ImageOf(request->Result);
    EXPECT_EQ(CountPixels(result, PixelOf(PageBack)), ViewWidth * LineHeight);
}

TEST(QtRasterTest, ASurrogatePairIsDrawnInOneStep)
{
    QtRasterStep raster;
    auto request = Request(1, true, {{0, 5, u"a\U0001D400b"}});
    StepUntil(raster, *request, 2);
    ASSERT_TRUE(raster.Advance(*request));  // "a"
    const int32_t x = request->CursorX;
    ASSERT_TRUE(raster.Advance(*request));  // the pair
    EXPECT_EQ(request->CursorChar, 3u);
    EXPECT_EQ(request->CursorX, x + request->Canvas->TextExtent(u"\U0001D400"));
    ASSERT_TRUE(raster.Advance(*request));  // "b"
    EXPECT_EQ(request->StepState, 3);
}

// The line picture is the mean of each f x f block of the enlarged one: per channel in true
// colour; in indexed colour the mean index, shown through the ramp palette.
TEST(QtRasterTest, TheLinePictureIsTheEnlargedOneReduced)
{
    const RampPalette palette = MakeRampPalette(PageBack, PageInk);
    for (bool trueColor : {true, false}) {
        for (int32_t f : {2, 3, 4}) {
            SCOPED_TRACE(testing::Message() << "f " << f << (trueColor ? " true" : " indexed"));
            QtRasterStep raster;
            auto request = Request(f, trueColor);
            StepUntil(raster, *request, 3);
            const QImage enlarged = ImageOf(request->Enlarged).copy();
            StepUntil(raster, *request, 5);
            const QImage& result = ImageOf(request->Result);
            ASSERT_EQ(result.size() * f, enlarged.size());

            int between = 0;  // samples neither background nor full ink
            for (int y = 0; y < enlarged.height(); ++y)
                for (int x = 0; x < enlarged.width(); ++x) {
                    QRgb sample = enlarged.pixel(x, y);
                    if (trueColor)
                        between += sample != PixelOf(PageBack) && sample != PixelOf(PageInk);
                    else
                        between += qGray(sample) != 0 && qGray(sample) != 255;
                }
            // Antialiased glyphs in true colour; indexed ones are aliased, 0 or 255 only.
            EXPECT_EQ(between > 0, trueColor);

            int mismatches = 0;
            for (int y = 0; y < result.height(); ++y)
                for (int x = 0; x < result.width(); ++x) {
                    int sums[3] = {0, 0, 0};
                    for (int dy = 0; dy < f; ++dy)
                        for (int dx = 0; dx < f; ++dx) {
                            QRgb s = enlarged.pixel(x * f + dx, y * f + dy);
                            sums[0] += qRed(s), sums[1] += qGreen(s), sums[2] += qBlue(s);
                        }
                    QRgb expected = trueColor
                        ? qRgb(sums[0] / (f * f), sums[1] / (f * f), sums[2] / (f * f))
                        : PixelOf(palette[size_t(sums[0] / (f * f))]);
                    mismatches += result.pixel(x, y) != expected;
                }
            EXPECT_EQ(mismatches, 0);
            EXPECT_GT(InkBox(result).width(), 30);
        }
    }
}

TEST(QtRasterTest, WithoutAntialiasingThePictureIsTheEnlargedOneItself)
{
    QtRasterStep raster;
    auto request = Request(1, true);
    StepUntil(raster, *request, 3);
    const QImage drawn = ImageOf(request->Enlarged).copy();
    StepUntil(raster, *request, 4);
    EXPECT_EQ(request->Enlarged, nullptr);  // it is the reduced picture now
    const QImage reduced = ImageOf(request->Reduced);
    StepUntil(raster, *request, 5);
    EXPECT_EQ(ImageOf(request->Result), drawn);
    EXPECT_EQ(ImageOf(request->Result).cacheKey(), reduced.cacheKey());  // not even copied

    // Indexed: background and full ink only, shown as ramp entries 0 and 255.
    const RampPalette palette = MakeRampPalette(PageBack, PageInk);
    request = Request(1, false);
    StepUntil(raster, *request, 3);
    const QImage indices = ImageOf(request->Enlarged).copy();
    StepUntil(raster, *request, 5);
    const QImage& result = ImageOf(request->Result);
    int mismatches = 0;
    for (int y = 0; y < result.height(); ++y)
        for (int x = 0; x < result.width(); ++x)
            mismatches +=
                result.pixel(x, y) != PixelOf(palette[size_t(qGray(indices.pixel(x, y)))]);
    EXPECT_EQ(mismatches, 0);
    EXPECT_EQ(CountPixels(result, PixelOf(palette[0])) + CountPixels(result, PixelOf(palette[255])),
              ViewWidth * LineHeight);
    EXPECT_GT(CountPixels(result, PixelOf(palette[255])), 0);
}

TEST(QtRasterTest, AtDevicePixelRatioTwoTheTextIsDrawnAtTwiceTheResolution)
{
    QtRasterStep raster;
    auto single = Request(2, true);
    StepUntil(raster, *single, 5);
    raster.SetDevicePixelRatio(2);
    auto doubled = Request(2, true);
    StepUntil(raster, *doubled, 1);
    EXPECT_EQ(ImageOf(doubled->Enlarged).size(), QSize(4 * ViewWidth, 4 * LineHeight));
    StepUntil(raster, *doubled, 5);

    const QImage& result = ImageOf(doubled->Result);
    EXPECT_EQ(result.size(), QSize(2 * ViewWidth, 2 * LineHeight));
    EXPECT_EQ(result.devicePixelRatio(), 2.0);
    // The same text in the same place, in twice the pixels.
    const QRect one = InkBox(ImageOf(single->Result));
    const QRect two = InkBox(result);
    ASSERT_FALSE(one.isEmpty());
    EXPECT_NEAR(two.left(), 2 * one.left(), 2);
    EXPECT_NEAR(two.right(), 2 * one.right() + 1, 2);
    EXPECT_NEAR(two.top(), 2 * one.top(), 2);
    EXPECT_NEAR(two.bottom(), 2 * one.bottom() + 1, 2);
}

// At a fractional scale the picture has the screen's own pixels, not twice as many drawn down.
TEST(QtRasterTest, AtAFractionalRatioThePictureHoldsTheScreensPixels)
{
    for (double ratio : {1.25, 1.5, 1.75}) {
        QtRasterStep raster;
        raster.SetDevicePixelRatio(ratio);
        auto request = Request(2, true);
        StepUntil(raster, *request, 5);
        const QImage& result = ImageOf(request->Result);
        EXPECT_EQ(result.width(), int(std::ceil(ViewWidth * ratio))) << ratio;
        EXPECT_EQ(result.height(), int(std::ceil(LineHeight * ratio))) << ratio;
        EXPECT_EQ(result.devicePixelRatio(), ratio);
        EXPECT_FALSE(InkBox(result).isEmpty());
    }
}

// A phrase found shows inverted: where the highlighted "ab" is drawn, every pixel is the
// inverse of the plain picture's; "Wc" is left alone.
TEST(QtRasterTest, HighlightedCharactersAreDrawnInverted)
{
    for (bool trueColor : {true, false}) {
        QtRasterStep raster;
        auto plain = Request(2, trueColor);
        auto marked = Request(2, trueColor);
        marked->Words[0].HighlightTo = 2;
        StepUntil(raster, *plain, ZEBRenderQuenue::Finished);
        StepUntil(raster, *marked, ZEBRenderQuenue::Finished);
        const QImage a = ImageOf(plain->Result).convertToFormat(QImage::Format_RGB32);
        const QImage b = ImageOf(marked->Result).convertToFormat(QImage::Format_RGB32);
        ASSERT_EQ(marked->Highlights.size(), 1u);
        const int from = marked->Highlights[0].first / 2, to = marked->Highlights[0].second / 2;
        EXPECT_EQ(from, 5);
        for (int y = 0; y < a.height(); ++y)
            for (int x = 0; x < a.width(); ++x) {
                const QRgb expected = x >= from && x < to ? a.pixel(x, y) ^ 0xFFFFFF : a.pixel(x, y);
                ASSERT_EQ(b.pixel(x, y) & 0xFFFFFF, expected & 0xFFFFFF) << x << "," << y;
            }
    }
}

}  // namespace
}  // namespace zeb::test
