// A paint that needs a line's picture before the queue got to it: the engine takes a finished
// result over, or draws the line at once through its render step.
#include "EngineFixture.h"

namespace zeb::test {
namespace {

class RenderNowTest : public EngineTest {
protected:
    void SetUp() override
    {
        for (int i = 0; i < 30; ++i)
            book.Paragraph().Line(u"\tWord");
        book.Finish();
        Open();
        engine.SetPosition(TextStart, 0);
    }

    ZEBRenderLineObject& FirstLineOf(size_t block) { return engine.Blocks()[block]->FirstLine(); }
};

TEST_F(RenderNowTest, TakesAFinishedResultOver)
{
    while (engine.Queue().Step()) {
    }
    ZEBRenderLineObject& line = FirstLineOf(0);
    ASSERT_NE(line.Request, nullptr);
    const ZEBLineBitmap* result = line.Request->Result.get();
    ASSERT_NE(result, nullptr);
    const int steps = step.steps;
    engine.RenderNow(line);
    EXPECT_EQ(line.Bitmap.get(), result);
    EXPECT_EQ(line.Request, nullptr);
    EXPECT_EQ(step.steps, steps);
}

TEST_F(RenderNowTest, DrawsAtOnceWhenTheQueueHasNotFinished)
{
    engine.Queue().Step();  // block 0's picture is under way
    ZEBRenderLineObject& line = FirstLineOf(0);
    ZEBRenderQuenue* pending = line.Request;
    ASSERT_NE(pending, nullptr);
    engine.RenderNow(line);
    ASSERT_NE(line.Bitmap, nullptr);
    EXPECT_EQ(line.Request, nullptr);
    EXPECT_TRUE(pending->Cancelled);
    EXPECT_EQ(step.steps, 1 + ZEBRenderQuenue::Finished);  // states 0 to 4 in one go

    // A line with a picture keeps it, now and when the queue has run.
    const ZEBLineBitmap* picture = line.Bitmap.get();
    engine.RenderNow(line);
    while (engine.Queue().Step()) {
    }
    engine.MoveBy(0);
    EXPECT_EQ(line.Bitmap.get(), picture);
}

TEST_F(RenderNowTest, ALineUnderAPixelHighGetsNothing)
{
    ZEBRenderLineObject& line = FirstLineOf(1);
    line.CancelRequest();
    line.Height = 0;
    engine.RenderNow(line);
    EXPECT_EQ(line.Bitmap, nullptr);
    EXPECT_EQ(step.steps, 0);
}

}  // namespace
}  // namespace zeb::test
