// Painting the view from the line pictures: lines cut by the edges while auto-scroll is off or
// on, the background wherever no line is, the part rect of a scroll, "THE END".
#include <QFontMetrics>
#include <QPainter>

#include "QtEngineFixture.h"
#include "render/ProfileFont.h"
#include "render/QtLineBitmap.h"
#include "render/ViewPainter.h"

namespace zeb::test {
namespace {

constexpr QRgb Stale = 0xFFFF00FF;  // what the view showed before: must never remain

class ViewPainterTest : public QtEngineTest {
protected:
    void SetUp() override
    {
        for (int i = 0; i < 60; ++i)
            book.Paragraph().Line(u"Paragraph " + std::u16string(1, char16_t(u'A' + i % 26)) +
                                  u" holds a few words of text");
        book.Finish();
        Open();
        engine.SetPosition(TextStart, 0);
    }

    QImage View() const
    {
        QImage image(host.size.Width, host.size.Height, QImage::Format_RGB32);
        image.fill(Stale);
        return image;
    }

    QImage PaintFull(bool autoScroll)
    {
        QImage image = View();
        QPainter painter(&image);
        PaintViewFull(painter, engine, image.rect(), autoScroll);
        return image;
    }

    // Moves the text so that the line across the bottom edge shows its upper half.
    const ZEBRenderLineObject& CutByTheBottomEdge()
    {
        const int32_t h = host.size.Height;
        for (const auto& block : engine.Blocks())
            for (const auto& line : block->Lines)
                if (line->Y < h && line->Bottom() > h) {
                    engine.MoveBy(h - line->Height / 2 - line->Y);
                    return *line;
                }
        ADD_FAILURE() << "no line across the bottom edge";
        return engine.Blocks().front()->FirstLine();
    }

    static int CountPixels(const QImage& image, QRgb colour)
    {
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                n += image.pixel(x, y) == colour;
        return n;
    }

    // The rows of image from top to bottom (exclusive) hold nothing but colour.
    static bool RowsAre(const QImage& image, int top, int bottom, QRgb colour)
    {
        QImage rows = image.copy(0, top, image.width(), bottom - top);
        return CountPixels(rows, colour) == rows.width() * rows.height();
    }
};

TEST_F(ViewPainterTest, ALineCutByTheBottomEdgeShowsOnlyWhileAutoScrolling)
{
    const ZEBRenderLineObject& cut = CutByTheBottomEdge();
    const QImage still = PaintFull(false);
    const QImage moving = PaintFull(true);
    const QRgb back = PixelOf(PageBack);
    EXPECT_TRUE(RowsAre(still, cut.Y, host.size.Height, back));
    EXPECT_FALSE(RowsAre(moving, cut.Y, host.size.Height, back));
    // Its visible part is the top of its own picture.
    const QImage& picture = dynamic_cast<const QtLineBitmap&>(*cut.Bitmap).Image;
    EXPECT_EQ(moving.copy(0, cut.Y, host.size.Width, host.size.Height - cut.Y),
              picture.copy(0, 0, host.size.Width, host.size.Height - cut.Y));
    // Lines wholly in view are drawn the same either way.
    const int32_t top = engine.ScreenLines().front().Line->Y;
    const QRect inView(0, top, host.size.Width, cut.Y - top);
    EXPECT_EQ(still.copy(inView), moving.copy(inView));
    EXPECT_FALSE(RowsAre(still, top, cut.Y, back));

    // Ending exactly on the bottom edge, it is a screen line, and still blanked while still.
    engine.MoveBy(host.size.Height - cut.Bottom());
    ASSERT_EQ(cut.Bottom(), host.size.Height);
    EXPECT_TRUE(cut.OnScreen);
    EXPECT_TRUE(RowsAre(PaintFull(false), cut.Y, host.size.Height, back));
    EXPECT_FALSE(RowsAre(PaintFull(true), cut.Y, host.size.Height, back));
}

TEST_F(ViewPainterTest, LinesDrawnAtOnceLookAsThoseFromTheQueue)
{
    ASSERT_TRUE(engine.Blocks().front()->FirstLine().Request);
    const QImage atOnce = PaintFull(true);  // every line rendered at once
    engine.DiscardBlocks();
    engine.SetPosition(TextStart, 0);
    while (engine.Queue().Step()) {
    }
    engine.MoveBy(0);
    EXPECT_EQ(PaintFull(true), atOnce);
}

TEST_F(ViewPainterTest, AZeroHeightLineIsNeverPictured)
{
    ZEBRenderLineObject& empty = *engine.ScreenLines().at(2).Line;
    empty.CancelRequest();
    empty.Height = 0;
    const QImage image = PaintFull(false);
    EXPECT_EQ(empty.Bitmap, nullptr);
    EXPECT_EQ(CountPixels(image, Stale), 0);
}

TEST_F(ViewPainterTest, APartRectIsPaintedAndNothingElse)
{
    const QRect strip(0, 100, host.size.Width, 13);
    QImage image = View();
    {
        QPainter painter(&image);
        PaintViewRect(painter, engine, strip);
    }
    const QImage full = PaintFull(true);
    EXPECT_EQ(image.copy(strip), full.copy(strip));
    EXPECT_TRUE(RowsAre(image, 0, strip.top(), Stale));
    EXPECT_TRUE(RowsAre(image, strip.bottom() + 1, host.size.Height, Stale));
}

TEST_F(ViewPainterTest, TheEndIsCentredHalfAViewBelowTheLastLine)
{
    // The last paragraph ends 40 pixels below the top edge.
    engine.SetPosition(engine.Book().TextEnd() - 1, 0);
    const ZEBRenderLineObject& last = engine.Blocks().back()->LastLine();
    engine.MoveBy(40 - last.Bottom());
    ASSERT_EQ(last.Bottom(), 40);
    const QImage image = PaintFull(false);
    EXPECT_FALSE(RowsAre(image, 0, 40, PixelOf(PageBack)));

    QFont font = dynamic_cast<const QtMeasurer&>(engine.Measurer()).Font();
    font.setPixelSize(85);
    const QFontMetrics metrics(font);
    const int width = metrics.horizontalAdvance(QStringLiteral("THE END"));
    const int height = metrics.ascent() + metrics.descent();
    // Glyphs may reach a pixel or two beyond their advance.
    const QRect cell(200 - width / 2 - 2, 40 + 150 - height / 2, width + 4, height);
    QRect ink;
    for (int y = 40; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != PixelOf(PageBack))
                ink |= QRect(x, y, 1, 1);
    ASSERT_FALSE(ink.isEmpty());
    EXPECT_TRUE(cell.contains(ink)) << ink.x() << "," << ink.y() << " " << ink.width() << "x"
                                    << ink.height();
    EXPECT_GT(ink.height(), 50);  // capitals of an 85-pixel font
    EXPECT_NEAR(ink.center().x(), 200, 4);

    // A part rect that misses it does not draw it.
    QImage part = View();
    {
        QPainter painter(&part);
        PaintViewRect(painter, engine, QRect(0, 0, host.size.Width, 40));
    }
    EXPECT_TRUE(RowsAre(part, 40, host.size.Height, Stale));
}

}  // namespace
}  // namespace zeb::test
