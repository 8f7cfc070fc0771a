// The band of laid-out blocks around the view, the screen lines and the render queue. The book
// is 100 one-line paragraphs, each line 33 high (21 and two gaps of 6); the view is 400 x 300,
// so the band runs from -300 to 600.
#include <map>
#include <vector>

#include "EngineFixture.h"

namespace zeb::test {
namespace {

constexpr int Paragraphs = 100;
constexpr int32_t LineHeight = 33;

class ScreenLinesTest : public EngineTest {
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

    std::map<int32_t, const ZEBRenderParagObject*> BlocksByIndex() const
    {
        std::map<int32_t, const ZEBRenderParagObject*> blocks;
        for (const auto& b : engine.Blocks())
            blocks[b->Index] = b.get();
        return blocks;
    }

    std::vector<int32_t> starts;
};

TEST_F(ScreenLinesTest, BandFromTheStartReachesTwoViewHeightsDown)
{
    engine.SetPosition(TextStart, 0);
    // Blocks 0 .. 18: block 18 starts at 594, above 600.
    ASSERT_EQ(engine.Blocks().size(), 19u);
    EXPECT_EQ(engine.Blocks().back()->Index, 18);
    EXPECT_EQ(engine.Blocks().back()->FirstLine().Y, 18 * LineHeight);
    // Lines wholly in the view: y + 33 <= 300 up to block 8.
    ASSERT_EQ(engine.ScreenLines().size(), 9u);
    EXPECT_EQ(engine.ScreenLines().front().Line, &engine.Blocks()[0]->FirstLine());
    EXPECT_EQ(engine.ScreenLines().back().Line, &engine.Blocks()[8]->FirstLine());
    EXPECT_EQ(host.positionChanges, 1);
}

TEST_F(ScreenLinesTest, SetPositionFindsTheBlockByBisection)
{
    struct Case {
        int32_t position;
        int32_t block;
    };
    const int32_t end = engine.Book().TextEnd();
    for (Case c : {Case{0, 0}, Case{starts[37], 37}, Case{starts[37] + 3, 37},
                   Case{starts[38] - 1, 37}, Case{end - 1, Paragraphs - 1}, Case{end + 50, Paragraphs - 1}}) {
        engine.SetPosition(c.position, 120);
        const ZEBRenderLineObject& first = *engine.ScreenLines().at(0).Line;
        const ZEBRenderLineObject* placed = nullptr;
        for (const auto& b : engine.Blocks())
            if (b->Index == c.block)
                placed = &b->FirstLine();
        ASSERT_NE(placed, nullptr) << c.position;
        EXPECT_EQ(placed->Y, 120) << c.position;
        EXPECT_LE(first.Y, 120);
    }
}

TEST_F(ScreenLinesTest, MovingByOnePixelOnlyChangesY)
{
    engine.SetPosition(starts[50], 0);
    auto before = BlocksByIndex();
    std::map<int32_t, int32_t> ys;
    for (auto [index, block] : before)
        ys[index] = block->FirstLine().Y;

    engine.MoveBy(1);

    int kept = 0;
    for (auto [index, block] : BlocksByIndex()) {
        if (!before.count(index))
            continue;
        ++kept;
        EXPECT_EQ(block, before[index]) << index;  // the same object, not laid out again
        EXPECT_EQ(block->FirstLine().Y, ys[index] + 1) << index;
    }
    EXPECT_GE(kept, int(before.size()) - 1);
}

TEST_F(ScreenLinesTest, ALineAsTallAsTheViewIsAScreenLineOnlyAtYZero)
{
    host.size = {400, LineHeight};
    engine.ViewResized();
    engine.SetPosition(starts[10], 0);
    ASSERT_EQ(engine.ScreenLines().size(), 1u);
    EXPECT_EQ(engine.ScreenLines()[0].Line->Start, starts[10]);
    engine.SetPosition(starts[10], 1);
    EXPECT_TRUE(engine.ScreenLines().empty());
}

TEST_F(ScreenLinesTest, TheBandStopsAtTheBooksEnds)
{
    engine.SetPosition(TextStart, 0);
    engine.MoveBy(1000);
    ASSERT_EQ(engine.Blocks().size(), 1u);  // nothing above block 0; the rest left the band
    EXPECT_EQ(engine.Blocks()[0]->Index, 0);
    EXPECT_EQ(engine.Blocks()[0]->FirstLine().Y, 1000);
    EXPECT_TRUE(engine.ScreenLines().empty());

    engine.SetPosition(engine.Book().TextEnd(), 0);
    EXPECT_EQ(engine.Blocks().back()->Index, Paragraphs - 1);
    engine.MoveBy(-1000);
    ASSERT_EQ(engine.Blocks().size(), 1u);
    EXPECT_EQ(engine.Blocks()[0]->Index, Paragraphs - 1);
    EXPECT_EQ(engine.Blocks()[0]->FirstLine().Y, -1000);
}

// A bookmark without text would be skipped when the book is opened again, so none is made.
TEST_F(ScreenLinesTest, NoBookmarkWhereNoWordFollows)
{
    engine.SetPosition(engine.Book().TextEnd(), 0);
    engine.MoveBy(-1000);
    ASSERT_TRUE(engine.ScreenLines().empty());
    ASSERT_FALSE(engine.Blocks().empty());
    EXPECT_FALSE(engine.AddBookmark());  // past the last line: the position is the text end - 1
    EXPECT_EQ(engine.Book().Bookmarks().Count(), 0);

    engine.SetPosition(starts[Paragraphs - 1], 0);
    EXPECT_TRUE(engine.AddBookmark());
    ASSERT_EQ(engine.Book().Bookmarks().Count(), 1);
    EXPECT_EQ(engine.Book().Bookmarks()[0].Text, u"Word" + std::u16string(size_t(99 % 7), u'x'));
}

TEST_F(ScreenLinesTest, LinesInTheBandArePicturedThroughTheQueue)
{
    engine.SetPosition(TextStart, 0);
    auto pending = [this] {
        int n = 0;
        for (const auto& b : engine.Blocks())
            n += b->FirstLine().Request != nullptr;
        return n;
    };
    // Block 18 reaches past 600: no request for it.
    EXPECT_EQ(pending(), 18);
    EXPECT_EQ(engine.Blocks().back()->FirstLine().Request, nullptr);
    EXPECT_EQ(engine.Queue().Count(), 18u);

    while (engine.Queue().Step()) {
    }
    EXPECT_EQ(step.steps, 18 * ZEBRenderQuenue::Finished);
    engine.MoveBy(0);  // the lines take their pictures over
    EXPECT_EQ(pending(), 0);
    const ZEBLineBitmap* picture = engine.Blocks()[5]->FirstLine().Bitmap.get();
    ASSERT_NE(picture, nullptr);
    EXPECT_FALSE(engine.Queue().Step());  // taken-over requests are freed, their pictures kept
    EXPECT_EQ(engine.Queue().Count(), 0u);
    EXPECT_EQ(engine.Blocks()[5]->FirstLine().Bitmap.get(), picture);

    // Ten lines down: block 0 reaches above the band (y -330) and loses its picture, but its
    // bottom (-297) keeps it laid out; the ten lines that entered the band are queued.
    engine.MoveBy(-10 * LineHeight);
    EXPECT_EQ(engine.Blocks()[0]->Index, 0);
    EXPECT_EQ(engine.Blocks()[0]->FirstLine().Bitmap, nullptr);
    EXPECT_EQ(pending(), 10);
    engine.MoveBy(-LineHeight);
    EXPECT_EQ(engine.Blocks()[0]->Index, 1);
}

TEST_F(ScreenLinesTest, ALineLeavingTheBandCancelsItsRequest)
{
    engine.SetPosition(TextStart, 0);
    engine.Queue().Step();  // block 0's picture is under way
    engine.MoveBy(-20 * LineHeight);
    while (engine.Queue().Step()) {
    }
    engine.MoveBy(0);
    for (const auto& b : engine.Blocks()) {
        const ZEBRenderLineObject& line = b->FirstLine();
        bool inBand = line.Y >= -300 && line.Bottom() <= 600;
        EXPECT_EQ(line.Bitmap != nullptr, inBand) << b->Index;
        EXPECT_EQ(line.Request, nullptr) << b->Index;
    }
    EXPECT_FALSE(engine.Queue().Step());
    EXPECT_EQ(engine.Queue().Count(), 0u);
}

TEST_F(ScreenLinesTest, RebuildKeepsTheFirstScreenLineInPlace)
{
    engine.SetPosition(starts[40], 20);
    options.SetAutoScrollActive(true);
    // Narrower margins and a taller view: laid out again, the same line stays at 20.
    options.SetPageMargins(ProportionalProfile, 0);
    host.size = {500, 600};
    engine.ViewResized();
    ASSERT_FALSE(engine.ScreenLines().empty());
    EXPECT_EQ(engine.ScreenLines()[0].Line->Start, starts[40]);
    EXPECT_EQ(engine.ScreenLines()[0].Line->Y, 20);
    EXPECT_EQ(engine.Metrics().AvailableWidth, 500);
    EXPECT_TRUE(options.Settings().AutoScrollActive);  // paused only while laying out
}

TEST_F(ScreenLinesTest, RebuildWithoutScreenLinesAnchorsHalfAViewDown)
{
    engine.SetPosition(TextStart, 0);
    engine.MoveBy(1000);  // only block 0 is left, below the view
    engine.ViewResized();
    ASSERT_EQ(engine.ScreenLines().size(), 4u);
    EXPECT_EQ(engine.ScreenLines()[0].Line->Start, TextStart);
    EXPECT_EQ(engine.ScreenLines()[0].Line->Y, 150);
}

}  // namespace
}  // namespace zeb::test
