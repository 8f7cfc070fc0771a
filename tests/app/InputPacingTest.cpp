// Input on a Linux desktop comes faster than moves run: every repeat of a held key and every
// small wheel or touchpad delta arrives. The text must stop soon after the input stops, and
// other commands must not wait behind moves.
#include <QTest>
#include <QWheelEvent>

#include "ReaderFixture.h"
#include "platform/Clock.h"

namespace zeb::test {
namespace {

class InputPacingTest : public ReaderWindowTest {
protected:
    void Key(Qt::Key key, bool repeat)
    {
        QTest::simulateEvent(View(), true, key, Qt::NoModifier, QString(), repeat);
        QTest::simulateEvent(View(), false, key, Qt::NoModifier, QString(), repeat);
    }

    void Wheel(QPoint angleDelta, QPoint pixelDelta = {})
    {
        const QPointF at(50, 50);
        QWheelEvent event(at, View()->mapToGlobal(at), pixelDelta, angleDelta, Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(View(), &event);
    }

    // Makes the steps of the move under way when they fall due, as the main loop does (the
    // test body runs inside one of its passes), until the move has ended.
    void Settle()
    {
        ViewScroller& scroller = window->Reader().Scroller();
        QElapsedTimer guard;
        guard.start();
        while (scroller.Moving() && guard.elapsed() < 5000) {
            QCoreApplication::processEvents();
            if (scroller.MotionDue() * CounterFrequency <= double(PerformanceCounter()))
                scroller.MotionStep();
        }
    }

    // How far the text has been moved up, in pixels from the book's start (every paragraph
    // of the book is as tall as the next).
    int32_t Offset() const
    {
        const auto& blocks = Engine().Blocks();
        const ZEBRenderParagObject& first = *blocks.at(0);
        const int32_t pitch = blocks.at(1)->FirstLine().Y - first.FirstLine().Y;
        return first.Index * pitch - first.FirstLine().Y;
    }

    void StartScrolling()
    {
        WriteBook(200);
        GlobalConfig config = Config();
        config.Settings.TextMovement = true;  // "Scroll": moves are animated
        Start(&config);
    }
};

TEST_F(InputPacingTest, RepeatsOfAHeldMoveKeyArrivingDuringAMoveAreDropped)
{
    StartScrolling();
    WhileReading([&] {
        Engine().SetPosition(Engine().Book().Parags()[40], 0);
        const int32_t y = Offset();
        const int32_t page = window->Reader().Scroller().PageDownDistance();
        Key(Qt::Key_PageDown, false);
        ASSERT_TRUE(window->Reader().Moving());
        for (int i = 0; i < 20; ++i)
            Key(Qt::Key_PageDown, true);
        // Another command is handled at once, not behind the move.
        Key(Qt::Key_Insert, false);
        EXPECT_TRUE(window->Options().Settings().AutoScrollActive);
        Key(Qt::Key_Insert, false);
        Settle();
        EXPECT_EQ(Offset(), y - page) << "one page, the repeats dropped";
        // Once the move has ended, the next repeat moves again.
        const int32_t next = window->Reader().Scroller().PageDownDistance();
        Key(Qt::Key_PageDown, true);
        Settle();
        EXPECT_EQ(Offset(), y - page - next);
    });
}

TEST_F(InputPacingTest, WheelNotchesJoinTheMoveUnderWayAndFractionsAddUp)
{
    StartScrolling();
    WhileReading([&] {
        Engine().SetPosition(Engine().Book().Parags()[40], 0);
        const int32_t y = Offset();
        QElapsedTimer spin;
        spin.start();
        for (int i = 0; i < 30; ++i)
            Wheel({0, -120});
        const qint64 spun = spin.elapsed();
        Settle();
        EXPECT_LT(spin.elapsed() - spun, 600) << "still within a move's time of the last notch";
        EXPECT_GT(Offset(), y + 25 * 21) << "each notch moved the text on";
        EXPECT_LT(Offset(), y + 35 * 27) << "by about a line";

        // A fine wheel's eighths of a notch make one line when they add up to one.
        const int32_t before = Offset();
        for (int i = 0; i < 7; ++i)
            Wheel({0, -15});
        Settle();
        EXPECT_EQ(Offset(), before);
        Wheel({0, -15});
        Settle();
        EXPECT_GT(Offset(), before);
    });
}

TEST_F(InputPacingTest, TouchpadPixelsMoveTheTextAtOnce)
{
    StartScrolling();
    WhileReading([&] {
        Engine().SetPosition(Engine().Book().Parags()[40], 0);
        const int32_t y = Offset();
        Wheel({0, -24}, {0, -7});
        EXPECT_FALSE(window->Reader().Moving());
        EXPECT_EQ(Offset(), y + 7);
        Wheel({0, 24}, {0, 3});
        EXPECT_EQ(Offset(), y + 4);
    });
}

}  // namespace
}  // namespace zeb::test
