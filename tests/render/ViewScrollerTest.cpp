// Moving the text: the command distances, animated and jumping moves, the limits at both ends
// of the book and dragging. The book is 100 one-line paragraphs, each line 33 high (21 and two
// gaps of 6, line step 1) in a 400 x 300 view.
#include <vector>

#include "EngineFixture.h"
#include "render/ViewScroller.h"

namespace zeb::test {
namespace {

constexpr int Paragraphs = 100;
constexpr int32_t LineHeight = 33;

// Records what the scroller asks of the view.
class RecordingSurface : public ZEBViewSurface {
public:
    void ShiftAndPaint(int32_t dy) override { shifts.push_back(dy); }
    void PaintRows(ViewRows rows) override { painted.push_back(rows); }
    void RepaintAll() override { ++fullRepaints; }

    std::vector<int32_t> shifts;
    std::vector<ViewRows> painted;
    int fullRepaints = 0;
};

class ViewScrollerTest : public EngineTest {
protected:
    void SetUp() override
    {
        for (int i = 0; i < Paragraphs; ++i) {
            starts.push_back(book.Paragraph().Position());
            book.Line(u"\tWord" + std::u16string(size_t(i % 7), u'x'));
        }
        book.Finish();
        Open();
    }

    void Jump() { options.SetTextMovement(false); }
    const ZEBRenderLineObject& LastLine() const { return engine.Blocks().back()->LastLine(); }
    const ZEBRenderLineObject& FirstScreenLine() const { return *engine.ScreenLines().front().Line; }

    // Makes each step of the move under way when it falls due, keeping the waits between.
    void RunMotion()
    {
        while (scroller.Moving()) {
            waits.push_back(scroller.MotionDue() - now);
            now = scroller.MotionDue();
            scroller.MotionStep();
        }
    }

    // Where the line of paragraph 55 is shown.
    int32_t MarkY() const
    {
        for (const auto& block : engine.Blocks())
            for (const auto& line : block->Lines)
                if (line->Start == starts[55])
                    return line->Y;
        ADD_FAILURE() << "paragraph 55 is not laid out";
        return 0;
    }

    std::vector<int32_t> starts;
    RecordingSurface view;
    std::vector<double> waits;
    double now = 100;
    ViewScroller scroller{engine, options, view, [this] { return now; }};
};

TEST_F(ViewScrollerTest, CommandDistancesInTheMiddleOfTheBook)
{
    engine.SetPosition(starts[50], 10);
    // Screen lines: blocks 50 .. 57 (y 10 .. 274); the line above starts at -23.
    EXPECT_EQ(scroller.LineDownDistance(), 1 - LineHeight - 10);  // the first line was near the top
    EXPECT_EQ(scroller.LineUpDistance(), 1 - (10 - LineHeight));
    EXPECT_EQ(scroller.PageDownDistance(), 1 - (10 + 8 * LineHeight));
    // Page up: the lines above that start at or below 10 - 300 + 1 = -289 come down, the
    // highest of them (at -287) one line step below the top edge.
    EXPECT_EQ(scroller.PageUpDistance(), 1 - (10 - 9 * LineHeight));

    engine.SetPosition(starts[50], 100);
    EXPECT_EQ(scroller.LineDownDistance(), -LineHeight);
}

TEST_F(ViewScrollerTest, JumpMovesAtOnceAndRepaintsEverything)
{
    Jump();
    engine.SetPosition(starts[50], 10);
    scroller.PageDown();
    EXPECT_EQ(FirstScreenLine().Start, starts[58]);
    EXPECT_EQ(FirstScreenLine().Y, 1);
    EXPECT_EQ(view.fullRepaints, 1);
    EXPECT_TRUE(view.shifts.empty());
    EXPECT_TRUE(waits.empty());
}

TEST_F(ViewScrollerTest, ScrollAnimatesInStepsOfAtLeastFiveMilliseconds)
{
    engine.SetPosition(starts[50], 10);
    const int32_t distance = scroller.PageDownDistance();  // 273 pixels up over 0.5 s
    scroller.PageDown();
    RunMotion();
    // 0.5 / 273 = 1.8 ms a pixel: 3 pixels a step, 5.5 ms each.
    ASSERT_EQ(waits.size(), 91u);
    EXPECT_NEAR(waits[0], 3 * 0.5 / 273, 1e-12);
    std::vector<int32_t> expected(90, -3);
    EXPECT_EQ(view.shifts, expected);
    EXPECT_EQ(view.fullRepaints, 1);  // the last step repaints in full
    // First the rows coming into view are painted whole.
    ASSERT_EQ(view.painted.size(), 1u);
    EXPECT_EQ(view.painted[0].Top, 300 - (8 + 1 + 21));
    EXPECT_EQ(view.painted[0].Bottom, 300);
    EXPECT_EQ(FirstScreenLine().Y, 10 + distance + 8 * LineHeight);
}

TEST_F(ViewScrollerTest, SoftwareScrollingRepaintsTheWholeViewAtEveryStep)
{
    options.SetScrollMode(false);
    engine.SetPosition(starts[50], 10);
    scroller.LineDown();
    RunMotion();
    EXPECT_TRUE(view.shifts.empty());
    EXPECT_EQ(view.fullRepaints, 1 + 21);  // the edge rows, then 42 pixels in steps of 2
}

// Held keys and spun wheels ask for moves faster than they run: a move the same way joins the
// one under way and the whole ends in the new move's time, so the text stops soon after the
// last request instead of working through a queue.
TEST_F(ViewScrollerTest, AMoveTheSameWayJoinsTheOneUnderWayAndEndsInItsTime)
{
    engine.SetPosition(starts[50], 10);
    const int32_t mark = MarkY();
    const int32_t first = scroller.LineDownDistance();
    scroller.LineDown();
    now = scroller.MotionDue();
    scroller.MotionStep();
    const int32_t second = scroller.LineDownDistance();
    const double asked = now;
    scroller.LineDown();
    RunMotion();
    EXPECT_NEAR(now - asked, LineMoveSeconds, 0.006);
    EXPECT_EQ(MarkY() - mark, first + second);
}

TEST_F(ViewScrollerTest, AMoveTheOtherWayEndsTheOneUnderWayFirst)
{
    engine.SetPosition(starts[50], 10);
    const int32_t mark = MarkY();
    scroller.PageDown();
    now = scroller.MotionDue();
    scroller.MotionStep();
    const int32_t down = MarkY() - mark;
    const int repaints = view.fullRepaints;
    scroller.LineUp();
    EXPECT_EQ(view.fullRepaints, repaints + 1) << "the cut-short move repaints in full";
    RunMotion();
    // From where the page move was cut, the line above came down to one line step.
    EXPECT_EQ(FirstScreenLine().Y, 1);
    EXPECT_GT(MarkY() - mark, down);
    EXPECT_LT(MarkY() - mark, down + LineHeight + 1);
}

TEST_F(ViewScrollerTest, ALateCallerGetsTheMissedPixelsAndTheMoveKeepsItsTime)
{
    engine.SetPosition(starts[50], 10);
    const int32_t distance = scroller.PageDownDistance();
    const double start = now;
    scroller.PageDown();
    now += 0.2;  // the caller was busy for 200 ms
    scroller.MotionStep();
    EXPECT_LT(view.shifts.back(), -3 * 30) << "about 0.2 s of pixels at once";
    RunMotion();
    EXPECT_NEAR(now - start, PageMoveSeconds, 0.006);
    EXPECT_EQ(FirstScreenLine().Y - 10, distance + 8 * LineHeight);
}

TEST_F(ViewScrollerTest, GoingToTheTopEndsAMoveUnderWay)
{
    engine.SetPosition(starts[50], 10);
    scroller.PageDown();
    ASSERT_TRUE(scroller.Moving());
    scroller.GoToTop();
    EXPECT_FALSE(scroller.Moving());
    EXPECT_EQ(FirstScreenLine().Start, TextStart);
}

TEST_F(ViewScrollerTest, OnePixelMoveShiftsTheScreenByOneRow)
{
    engine.SetPosition(starts[50], 10);
    scroller.MoveBy(-1, PaintMode::Shift);
    EXPECT_EQ(view.shifts, std::vector<int32_t>{-1});
    EXPECT_EQ(FirstScreenLine().Y, 9);
}

TEST_F(ViewScrollerTest, TheEndGoesUpToTheTopEdgeAndNoFurther)
{
    Jump();
    engine.SetPosition(engine.Book().TextEnd() - 1, 100);
    for (int i = 0; i < 10; ++i)
        scroller.PageDown();
    EXPECT_FALSE(scroller.CanMoveForward());
    EXPECT_EQ(LastLine().Bottom(), 1);  // one line step below the top edge
    scroller.LineDown();
    EXPECT_EQ(LastLine().Bottom(), 1);
    // Pushed past it, the next forward command brings it back.
    scroller.MoveBy(-40, PaintMode::Full);
    EXPECT_EQ(scroller.LineDownDistance(), 40);
}

TEST_F(ViewScrollerTest, TheStartGoesDownToTheBottomEdgeAndARefusedUpMoveDoesNothing)
{
    Jump();
    engine.SetPosition(TextStart, 0);
    scroller.PageUp();  // the first line is the first screen line: a whole view down
    EXPECT_EQ(engine.Blocks().front()->FirstLine().Y, 300);
    EXPECT_FALSE(scroller.CanMoveBackward());
    int repaints = view.fullRepaints;
    scroller.LineUp();
    scroller.PageUp();
    EXPECT_EQ(view.fullRepaints, repaints);
    EXPECT_EQ(engine.Blocks().front()->FirstLine().Y, 300);
}

TEST_F(ViewScrollerTest, TopAndBottomOfTheBook)
{
    engine.SetPosition(starts[50], 0);
    scroller.GoToTop();
    EXPECT_EQ(FirstScreenLine().Start, TextStart);
    EXPECT_EQ(FirstScreenLine().Y, 300 / 4);
    scroller.GoToBottom();
    EXPECT_EQ(LastLine().Start, starts[Paragraphs - 1]);
    EXPECT_EQ(LastLine().Bottom(), 300 * 3 / 4);
    EXPECT_EQ(view.fullRepaints, 2);
}

TEST_F(ViewScrollerTest, PageDownOfAViewWhoseLastScreenLineEndsTenAboveItsBottom)
{
    host.size = {400, 600};
    engine.ViewResized();
    // Lines of 33 from y = 17: the last wholly visible one ends at 17 + 17 * 33 = 578.
    engine.SetPosition(starts[50], 17);
    EXPECT_EQ(scroller.PageDownDistance(), 1 - 578);
}

TEST(DraggedPosition, TheWholeBookSpansOneViewHeight)
{
    struct Case {
        int32_t position, travel, start, end, viewHeight, expected;
    } cases[] = {
        {40, 300, 40, 30040, 300, 30039},            // one view height down: the end
        {30039, -300, 40, 30040, 300, 40},           // and back up to the start
        {1000, 3, 40, 30040, 300, 1300},             // 100 bytes a pixel
        {1000, -50, 40, 30040, 300, 40},             // past the start: the start
        {100, 250, 40, 240, 300, 100},               // fewer bytes than pixels: nothing moves
        {40, 1000, 40, 2'000'000'040, 1000, 2'000'000'039},  // 32 bits would overflow here
    };
    for (const Case& c : cases)
        EXPECT_EQ(DraggedPosition(c.position, c.travel, c.start, c.end, c.viewHeight), c.expected)
            << c.position << " + " << c.travel;
}

}  // namespace
}  // namespace zeb::test
