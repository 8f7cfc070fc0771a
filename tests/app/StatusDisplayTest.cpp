// The toolbar's gauge and file area, painted and grabbed: where the percent, the clock and the
// speed block land, and when the source's name and size are drawn.
#include <QImage>
#include <QToolButton>

#include "ReaderFixture.h"
#include "app/MainToolbar.h"
#include "app/StatusFileArea.h"
#include "app/StatusGauge.h"
#include "app/StatusGlyphs.h"
#include "platform/ui/ToolbarLook.h"

namespace zeb::test {
namespace {

QImage Grab(QWidget& widget)
{
    return widget.grab().toImage().convertToFormat(QImage::Format_RGB888);
}

int GreenPixels(const QImage& image, const QRect& area)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            count += QColor(image.pixel(x, y)) == StatusTextColor;
    return count;
}

// picture is shown in shot with its top-left corner at at.
bool Shows(const QImage& shot, QPoint at, const QImage& picture)
{
    return shot.copy(QRect(at, picture.size())) == picture;
}

QFont TestFont()
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(11);
    return font;
}

class StatusGaugeTest : public ::testing::Test {
protected:
    StatusGaugeTest()
    {
        gauge.setFont(TestFont());
        gauge.setFixedSize(MainToolbar::GaugeWidth, ToolbarButtonHeight);
        gauge.SetClock([this] { return time; });
    }

    QImage Picture(const QString& text) { return gauge.Glyphs().TextPicture(text); }

    // The gauge as it shows reading.
    QImage Shot()
    {
        gauge.Show(reading);
        return Grab(gauge);
    }

    // Where the clock's right edge is while the speed block is width wide.
    int ClockRight(int block) const { return MainToolbar::GaugeWidth - 8 - block - 24; }

    int SpeedBlockWidth() const
    {
        const QFontMetrics metrics(TestFont());
        return std::max(metrics.horizontalAdvance(QStringLiteral("Constant")),
                        metrics.horizontalAdvance(QStringLiteral("Variable")));
    }

    StatusGauge gauge;
    GaugeReading reading;
    QTime time{9, 5};
};

TEST_F(StatusGaugeTest, PercentAtTheLeftClockBeforeTheSpeedBlock)
{
    struct Case {
        int tenths;
        QTime time;
        const char* percent;
        const char* clock;
    };
    for (Case c : {Case{375, QTime(9, 5), "37.5%", "9:05"}, Case{0, QTime(23, 59), "0.0%", "23:59"},
                   Case{1000, QTime(0, 0), "100.0%", "0:00"}}) {
        reading.Tenths = c.tenths;
        time = c.time;
        const QImage shot = Shot();
        const QImage clock = Picture(QString::fromLatin1(c.clock));
        EXPECT_TRUE(Shows(shot, {0, 1}, Picture(QString::fromLatin1(c.percent)))) << c.percent;
        const int clockLeft = ClockRight(SpeedBlockWidth()) - clock.width();
        EXPECT_TRUE(Shows(shot, {clockLeft, 1}, clock)) << c.clock;
    }
}

TEST_F(StatusGaugeTest, WithoutABookOnlyTheClockShows)
{
    reading.Tenths = std::nullopt;
    const QImage shot = Shot();
    const QImage clock = Picture(QStringLiteral("9:05"));
    const int clockLeft = ClockRight(SpeedBlockWidth()) - clock.width();
    EXPECT_EQ(GreenPixels(shot, QRect(0, 0, clockLeft, shot.height())), 0);
    EXPECT_TRUE(Shows(shot, {clockLeft, 1}, clock));
}

// The speed block keeps its room while auto-scroll is stopped, so the clock does not jump
// when it starts; a value wider than the mode texts widens the block.
TEST_F(StatusGaugeTest, TheSpeedBlockPlacesTheClockWhetherOrNotItShows)
{
    const QImage clock = Picture(QStringLiteral("9:05"));
    const int block = SpeedBlockWidth();
    const QRect blockArea(ClockRight(block) + 24, 0, block, ToolbarButtonHeight);

    reading.LastSecond = {0, 0};
    QImage shot = Shot();
    EXPECT_TRUE(Shows(shot, {ClockRight(block) - clock.width(), 1}, clock));
    EXPECT_EQ(GreenPixels(shot, blockArea), 0);

    reading.LastSecond = {48, 2};
    shot = Shot();
    EXPECT_TRUE(Shows(shot, {ClockRight(block) - clock.width(), 1}, clock));
    EXPECT_GT(GreenPixels(shot, blockArea.adjusted(0, 0, 0, -15)), 0) << "the mode, above";
    EXPECT_GT(GreenPixels(shot, blockArea.adjusted(0, 15, 0, 0)), 0) << "the steps, below";

    reading.LastSecond = {123456789, 987654321};
    const int wide =
        QFontMetrics(TestFont()).horizontalAdvance(QStringLiteral("123456789 - 987654321"));
    ASSERT_GT(wide, block);
    shot = Shot();
    EXPECT_TRUE(Shows(shot, {ClockRight(wide) - clock.width(), 1}, clock));
}

class StatusFileAreaTest : public ::testing::Test {
protected:
    StatusFileAreaTest()
    {
        area.setFont(TestFont());
    }

    // The width both columns need, and the margins.
    int NeededWidth() const
    {
        const QFontMetrics metrics(TestFont());
        return metrics.horizontalAdvance(QStringLiteral("File Name: ")) +
               metrics.horizontalAdvance(QString::fromStdU16String(source->Name)) + 32;
    }

    // The area as it shows source.
    QImage Shot()
    {
        area.Show(source);
        return Grab(area);
    }

    StatusFileArea area;
    std::optional<BookSource> source = BookSource{u"Über den Fluß.txt", 1234};
};

TEST_F(StatusFileAreaTest, NameAndSizeShowOnlyWhenBothColumnsFit)
{
    area.setFixedSize(NeededWidth() + 1, ToolbarButtonHeight);
    QImage shot = Shot();
    const int lineHeight = QFontMetrics(TestFont()).height();
    EXPECT_EQ(GreenPixels(shot, QRect(0, 0, 16, shot.height())), 0) << "16 pixels in";
    EXPECT_GT(GreenPixels(shot, QRect(16, 2, shot.width() - 16, lineHeight)), 0);
    EXPECT_GT(GreenPixels(shot, QRect(16, 2 + lineHeight, shot.width() - 16, lineHeight)), 0);

    area.setFixedSize(NeededWidth(), ToolbarButtonHeight);
    shot = Shot();
    EXPECT_EQ(GreenPixels(shot, shot.rect()), 0);
    EXPECT_EQ(QColor(shot.pixel(0, 0)), ToolbarColor);
}

TEST_F(StatusFileAreaTest, WithoutABookTheAreaStaysEmpty)
{
    source = std::nullopt;
    area.setFixedSize(400, ToolbarButtonHeight);
    EXPECT_EQ(GreenPixels(Shot(), QRect(0, 0, 400, ToolbarButtonHeight)), 0);
}

// The reader's own toolbar: the open book's place and source, and the fill at the least width.
TEST_F(ReaderWindowTest, TheToolbarShowsThePlaceAndTheSourceOfTheOpenBook)
{
    WriteBook(60);
    StartWithBook();
    WhileReading([&] {
        MainToolbar& toolbar = *window->Toolbar();
        Engine().SetPosition(Engine().Book().TextStart(), 0);
        const QImage gauge = Grab(*toolbar.Gauge());
        EXPECT_TRUE(Shows(gauge, {0, 1}, toolbar.Gauge()->Glyphs().TextPicture(u"0.0%")));
        EXPECT_GT(GreenPixels(Grab(*toolbar.FileArea()), toolbar.FileArea()->rect()), 0);

        window->showNormal();
        window->resize(window->minimumSize());
        QCoreApplication::processEvents();
        ASSERT_EQ(toolbar.FileArea()->width(), toolbar.width() - MainToolbar::FixedWidth);
        EXPECT_EQ(GreenPixels(Grab(*toolbar.FileArea()), toolbar.FileArea()->rect()), 0);
    });
}

}  // namespace
}  // namespace zeb::test
