// What the toolbar gauge reads from the engine, and the texts it shows. The book is 100
// one-line paragraphs, each line 33 high; the view is 400 x 300.
#include <vector>

#include "EngineFixture.h"
#include "render/GaugeTexts.h"
#include "storage/TextPlace.h"

namespace zeb::test {
namespace {

class GaugeTextsTest : public EngineTest {
protected:
    void Write()
    {
        for (int i = 0; i < 100; ++i) {
            starts.push_back(book.Paragraph().Position());
            book.Line(u"\tWord" + std::u16string(size_t(i % 7), u'x'));
        }
        book.Finish();
        Open();
    }

    int32_t TenthsAt(int32_t position) const
    {
        return PlaceInTenths(position, engine.Book().TextStart(), engine.Book().TextEnd());
    }

    std::vector<int32_t> starts;
};

TEST_F(GaugeTextsTest, ThePercentFollowsTheFirstLineWhollyInView)
{
    Write();
    engine.SetPosition(starts[0], 0);
    EXPECT_EQ(GaugeTenths(engine), 0);
    // The line placed half above the top is no screen line: the one under it counts.
    engine.SetPosition(starts[60], -10);
    EXPECT_EQ(GaugeTenths(engine), TenthsAt(starts[61]));
    EXPECT_NE(TenthsAt(starts[61]), TenthsAt(starts[60]));
}

TEST_F(GaugeTextsTest, WithoutScreenLinesTheTextAboveTheViewReadsAsTheEnd)
{
    Write();
    engine.SetPosition(engine.Book().TextEnd(), 0);
    engine.MoveBy(-1000);
    ASSERT_TRUE(engine.ScreenLines().empty());
    EXPECT_EQ(GaugeTenths(engine), 1000);

    engine.SetPosition(starts[0], 0);
    engine.MoveBy(1000);
    ASSERT_TRUE(engine.ScreenLines().empty());
    EXPECT_EQ(GaugeTenths(engine), 0);
}

TEST_F(GaugeTextsTest, NoBookNoPercent)
{
    EXPECT_EQ(GaugeTenths(engine), std::nullopt);
}

TEST(GaugeTexts, PercentClockAndSpeed)
{
    EXPECT_EQ(PercentText(0), "0.0%");
    EXPECT_EQ(PercentText(333), "33.3%");
    EXPECT_EQ(PercentText(375), "37.5%");
    EXPECT_EQ(PercentText(1000), "100.0%");

    EXPECT_EQ(ClockText(9, 5), "9:05");
    EXPECT_EQ(ClockText(23, 59), "23:59");
    EXPECT_EQ(ClockText(0, 0), "0:00");

    EXPECT_STREQ(SpeedModeText(true), "Constant");
    EXPECT_STREQ(SpeedModeText(false), "Variable");
    EXPECT_EQ(StepsText({0, 0}), "");
    EXPECT_EQ(StepsText({0, 3}), "");
    EXPECT_EQ(StepsText({50, 0}), "50");
    EXPECT_EQ(StepsText({48, 2}), "48 - 2");
}

}  // namespace
}  // namespace zeb::test
