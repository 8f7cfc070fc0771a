#include <gtest/gtest.h>

#include <QApplication>
#include <QProgressBar>
#include <QWidget>

#include "ImportTestSupport.h"
#include "import/ConvertTextToBook.h"
#include "import/ui/TAA_Progress.h"

using namespace zeb;
using namespace zeb::test;

namespace {

// How many columns of the bar differ from the empty bar along its middle row.
int FilledColumns(const QImage& bar, const QImage& empty)
{
    int filled = 0;
    const int y = bar.height() / 2;
    for (int x = 0; x < bar.width(); ++x)
        filled += bar.pixel(x, y) != empty.pixel(x, y);
    return filled;
}

QImage Seen(const QProgressBar& bar)
{
    return const_cast<QProgressBar&>(bar).grab().toImage().convertToFormat(QImage::Format_RGB32);
}

class ProgressTest : public ::testing::Test {
protected:
    ProgressTest() : progress(&main)
    {
        main.setGeometry(100, 80, 801, 601);
        main.show();
        empty = Seen(progress.Bar());
    }

    QWidget main;
    TAA_Progress progress;
    QImage empty;
};

TEST_F(ProgressTest, ShowsTheTextOverTheMainWindowWithoutBlockingAndHidesAtTheEnd)
{
    EXPECT_FALSE(progress.isVisible());
    progress.Create("Loading ...", 10);
    EXPECT_TRUE(progress.isVisible());
    EXPECT_FALSE(progress.isModal());
    EXPECT_EQ(progress.windowTitle(), "Loading ...");
    EXPECT_EQ(progress.size(), QSize(270, 31));
    EXPECT_EQ(progress.Bar().geometry(), QRect(8, 8, 256, 16));
    const QRect frame = progress.frameGeometry();
    EXPECT_EQ(frame.left(), 100 + ((801 - frame.width()) >> 1));
    EXPECT_EQ(frame.top(), 80 + ((601 - frame.height()) >> 1));
    progress.Destroy();
    EXPECT_FALSE(progress.isVisible());
}

TEST_F(ProgressTest, AnEmptyRangeLeavesTheBarEmpty)
{
    progress.Create("Loading ...", 0);
    progress.Progress(0);
    progress.Progress(5);
    EXPECT_EQ(FilledColumns(Seen(progress.Bar()), empty), 0);
    progress.Destroy();
}

TEST_F(ProgressTest, ValuesBeyond32BitsFillTheirShare)
{
    const int64_t maximum = int64_t(3) << 32;
    progress.Create("Converting file ...", maximum);
    progress.Progress(maximum / 2);
    const int half = FilledColumns(Seen(progress.Bar()), empty);
    progress.Progress(maximum + 1);
    const int full = FilledColumns(Seen(progress.Bar()), empty);
    EXPECT_GT(full, 200);
    EXPECT_NEAR(double(half) / full, 0.5, 0.02);
    progress.Destroy();
}

// Forwards to the window and looks at the bar at the end of the scan and at the end.
class WatchedProgress : public ZEBProgress {
public:
    WatchedProgress(TAA_Progress& shown, int64_t scanEnd) : shown_(shown), scanEnd_(scanEnd) {}
    void Create(const std::string& text, int64_t maximum) override
    {
        shown_.Create(text, maximum);
        visibleWhileRunning = shown_.isVisible();
    }
    void Progress(int64_t value) override
    {
        shown_.Progress(value);
        if (value == scanEnd_ && afterScan.isNull())
            afterScan = Seen(shown_.Bar());
        last = Seen(shown_.Bar());
    }
    void Destroy() override { shown_.Destroy(); }

    QImage afterScan, last;
    bool visibleWhileRunning = false;

private:
    TAA_Progress& shown_;
    int64_t scanEnd_;
};

TEST_F(ProgressTest, AConversionFillsAThirdByTheEndOfTheScanAndAllByItsEnd)
{
    TempDir dir;
    std::string text;
    for (int k = 0; k < 300; ++k)
        text += "Some words on line " + std::to_string(k) + ".\n";
    WriteBytes(dir.File("s.txt"), std::vector<uint8_t>(text.begin(), text.end()));
    ScriptedPreview preview(1252);
    FakePrompter prompter;
    WatchedProgress watched(progress, int64_t(text.size()));
    int32_t codePage = 1252;
    ASSERT_TRUE(ConvertTextToBook(dir.File("s.txt"), dir.File("b.book"), codePage, preview,
                                  watched, prompter));
    EXPECT_TRUE(watched.visibleWhileRunning);
    EXPECT_EQ(progress.windowTitle(), "Converting file ...");
    ASSERT_FALSE(watched.afterScan.isNull());
    const int third = FilledColumns(watched.afterScan, empty);
    const int full = FilledColumns(watched.last, empty);
    EXPECT_GT(full, 200);
    EXPECT_NEAR(double(third) / full, 1.0 / 3, 0.02);
    EXPECT_FALSE(progress.isVisible());
}

}  // namespace
