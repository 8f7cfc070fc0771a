// The reader window driven with real events inside its own main loop: wheel, drag, keys, the
// toolbar, first show, auto-scroll to the end, and a close that saves.
#include <QCursor>
#include <QDateTime>
#include <QTest>
#include <QToolButton>
#include <QWheelEvent>

#include "ReaderFixture.h"
#include "app/MainToolbar.h"
#include "platform/Clock.h"
#include "platform/ui/HelpViewer.h"
#include "render/ViewScroller.h"
#include "storage/BookOptions.h"
#include "storage/ZEBBook.h"

namespace zeb::test {
namespace {

void Wheel(QWidget* view, int delta)
{
    QPointF at(50, 50);
    QWheelEvent event(at, view->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(view, &event);
}

void Drag(QWidget* view, int fromY, int toY)
{
    QTest::mousePress(view, Qt::LeftButton, Qt::NoModifier, QPoint(50, fromY));
    QMouseEvent move(QEvent::MouseMove, QPointF(50, toY), view->mapToGlobal(QPointF(50, toY)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view, &move);
    QTest::mouseRelease(view, Qt::LeftButton, Qt::NoModifier, QPoint(50, toY));
}

TEST_F(ReaderWindowTest, OneWheelEventMovesOneLineWhateverItsDelta)
{
    WriteBook(60);
    GlobalConfig config = Config();
    config.Settings.TextMovement = false;  // "Jump", so the move shows at once
    Start(&config);
    WhileReading([&] {
        Engine().SetPosition(Engine().Book().TextStart(), 100);
        const ZEBRenderLineObject* line = &FirstScreenLine();
        const int32_t y = line->Y;
        const int32_t down = window->Reader().Scroller().LineDownDistance();
        ASSERT_LT(down, 0);
        Wheel(View(), -360);  // three notches in one event
        EXPECT_EQ(line->Y, y + down) << "one line, not three";
        const int32_t up = window->Reader().Scroller().LineUpDistance();
        Wheel(View(), 480);
        EXPECT_EQ(line->Y, y + down + up);
    });
}

TEST_F(ReaderWindowTest, DraggingTheWholeViewHeightRunsThroughTheBook)
{
    WriteBook(60);
    StartWithBook();
    WhileReading([&] {
        const ZEBBook& book = Engine().Book();
        const int32_t height = Engine().Metrics().ViewHeight;
        Engine().SetPosition(book.TextStart(), 0);
        ViewAnchor anchor = Engine().CurrentAnchor();
        Drag(View(), 100, 110);
        int32_t expected = DraggedPosition(anchor.Position, 10, book.TextStart(), book.TextEnd(), height);
        EXPECT_EQ(Engine().CurrentAnchor().Position,
                  Engine().ScreenLines().front().Line->Start);
        EXPECT_LE(Engine().CurrentAnchor().Position, expected);
        EXPECT_GT(Engine().CurrentAnchor().Position, anchor.Position);
        Drag(View(), 0, height);
        EXPECT_EQ(Engine().Blocks().back()->Index, int32_t(book.Parags().Count()) - 2);
        Drag(View(), height, -height);  // past the start
        EXPECT_EQ(Engine().CurrentAnchor().Position, book.TextStart());
    });
}

TEST_F(ReaderWindowTest, HomeAndEndKeys)
{
    WriteBook(60);
    StartWithBook();
    WhileReading([&] {
        const int32_t height = Engine().Metrics().ViewHeight;
        QTest::keyClick(View(), Qt::Key_End);
        const ZEBRenderParagObject& last = *Engine().Blocks().back();
        EXPECT_TRUE(last.LastBlock);
        EXPECT_EQ(last.LastLine().Bottom(), (height * 3) / 4);
        QTest::keyClick(View(), Qt::Key_Home);
        EXPECT_EQ(FirstScreenLine().Start, Engine().Book().TextStart());
        EXPECT_EQ(FirstScreenLine().Y, height / 4);
    });
}

TEST_F(ReaderWindowTest, FasterAndSlowerStopAtTheirLimitsInBothSpeedModes)
{
    WriteBook(5);
    StartWithBook();
    WhileReading([&] {
        ZEBOptions& options = window->Options();
        options.SetLinesPerSecond(500);
        QTest::keyClick(View(), Qt::Key_Plus, Qt::KeypadModifier);
        EXPECT_EQ(options.Settings().LinesPerSecond, 500);
        QTest::keyClick(View(), Qt::Key_Minus, Qt::KeypadModifier);
        EXPECT_EQ(options.Settings().LinesPerSecond, 499);
        EXPECT_EQ(window->Reader().AutoScroller().Period(), CounterFrequency / 499);
        options.SetLinesPerSecond(1);
        QTest::keyClick(View(), Qt::Key_Minus);
        EXPECT_EQ(options.Settings().LinesPerSecond, 1);

        options.SetSpeedMode(false);
        options.SetCharsPerSecond(30);
        QTest::keyClick(View(), Qt::Key_Plus);
        EXPECT_EQ(options.Settings().CharsPerSecond, 31);
        EXPECT_EQ(options.Settings().LinesPerSecond, 1);
        options.SetCharsPerSecond(500);
        QTest::keyClick(View(), Qt::Key_Plus);
        EXPECT_EQ(options.Settings().CharsPerSecond, 500);
    });
}

TEST_F(ReaderWindowTest, FormattingToggleReturnsToTheFormattingOfThePress)
{
    WriteBook(5);
    StartWithBook();
    WhileReading([&] {
        ZEBOptions& options = window->Options();
        QToolButton* toggle = window->Toolbar()->FormattingButton();
        ASSERT_EQ(options.Settings().TextFormatting, FormattingFullHyphen);
        QTest::mouseClick(toggle, Qt::LeftButton);
        EXPECT_TRUE(toggle->isChecked());
        EXPECT_EQ(options.Settings().TextFormatting, FormattingOriginal);
        EXPECT_FALSE(options.Settings().FontWidth);
        // Changed meanwhile (the button follows), then back to "Original".
        options.SetTextFormatting(FormattingFull);
        EXPECT_FALSE(toggle->isChecked());
        options.SetTextFormatting(FormattingOriginal);
        EXPECT_TRUE(toggle->isChecked());
        QTest::mouseClick(toggle, Qt::LeftButton);
        EXPECT_EQ(options.Settings().TextFormatting, FormattingFullHyphen);
        EXPECT_TRUE(options.Settings().FontWidth);
    });
}

TEST_F(ReaderWindowTest, OptionsKeyShowsAndHidesThePanel)
{
    WriteBook(5);
    StartWithBook();
    WhileReading([&] {
        QTest::keyClick(View(), Qt::Key_Asterisk, Qt::KeypadModifier);
        EXPECT_EQ(window->OptionsPanel()->height(), window->OptionsPanel()->DesignedSize().height());
        EXPECT_TRUE(window->Toolbar()->OptionsButton()->isChecked());
        EXPECT_EQ(window->OptionsPanel()->geometry().bottom(), window->height() - 1);
        QTest::keyClick(View(), Qt::Key_Asterisk, Qt::KeypadModifier);
        EXPECT_EQ(window->OptionsPanel()->height(), 0);
        EXPECT_TRUE(View()->hasFocus());
    });
}

TEST_F(ReaderWindowTest, FirstStartWithoutSettingsIsFullScreenWithTheLibrary)
{
    Start(nullptr);
    WhileReading([&] {
        EXPECT_TRUE(window->isFullScreen());
        EXPECT_EQ(libraryShown, 1);
        EXPECT_FALSE(Engine().Book().IsOpen());
    });
}

TEST_F(ReaderWindowTest, StoredBoundsArePlacedAndAHelpRequestLeavesFullScreen)
{
    WriteBook(5);
    GlobalConfig config = Config();
    config.Window = {WindowNormal, 100, -20, 5000, 500};
    Start(&config);
    WhileReading([&] {
        const QSize screen = window->screen()->geometry().size();
        EXPECT_EQ(window->x(), 100);
        EXPECT_EQ(window->y(), 0);
        EXPECT_EQ(window->width(), std::max(screen.width() - 100, 640));
        EXPECT_EQ(window->height(), 500);
        EXPECT_EQ(libraryShown, 0);
        QTest::keyClick(View(), Qt::Key_F11);
        EXPECT_TRUE(window->isFullScreen());
        QTest::keyClick(View(), Qt::Key_F1);
        EXPECT_FALSE(window->isFullScreen());
        EXPECT_EQ(window->geometry().size(), QSize(std::max(screen.width() - 100, 640), 500));
        EXPECT_TRUE(window->Help()->isVisible());
    });
}

TEST_F(ReaderWindowTest, AutoScrollSwitchesItselfOffAtTheEndOfTheBook)
{
    WriteBook(8);
    GlobalConfig config = Config();
    config.Settings.LinesPerSecond = 500;
    Start(&config);
    WhileReading(
        [&] {
            QTest::keyClick(View(), Qt::Key_End);
            QTest::keyClick(View(), Qt::Key_Insert);
            EXPECT_TRUE(window->Options().Settings().AutoScrollActive);
            EXPECT_TRUE(window->Toolbar()->AutoScrollButton()->isChecked());
        },
        [&] { return !window->Options().Settings().AutoScrollActive; },
        [&] {
            EXPECT_FALSE(window->Options().Settings().AutoScrollActive);
            EXPECT_FALSE(window->Reader().Scroller().CanMoveForward());
            EXPECT_EQ(Engine().Blocks().back()->LastLine().Bottom(), Engine().Metrics().LineStep);
            EXPECT_FALSE(window->Toolbar()->AutoScrollButton()->isChecked());
        });
}

TEST_F(ReaderWindowTest, ClosingDuringAutoScrollSavesThePositionAndTheSettings)
{
    WriteBook(60);
    StartWithBook();
    ReadingPosition atClose;
    WhileReading(
        [&] {
            window->Options().SetLinesPerSecond(200);
            QTest::keyClick(View(), Qt::Key_Insert);
        },
        [&] { return window->Reader().AutoScroller().Running().Steps + window->Reader().AutoScroller().LastSecond().Steps > 40; },
        [&] {
            atClose = Engine().CurrentReadingPosition();
            // Escape closes from inside the loop: the loop stops first, then the window saves.
            QTest::keyClick(View(), Qt::Key_Escape);
            EXPECT_FALSE(window->Reader().LoopRunning());
        });
    EXPECT_FALSE(window->isVisible());
    GlobalConfig saved = InitialGlobalConfig(0);
    ASSERT_TRUE(LoadGlobalConfig(GlobalConfigPath(folder.Path().string()), {800, 600}, saved));
    EXPECT_EQ(saved.Settings.LinesPerSecond, 200);
    EXPECT_EQ(saved.LastBookFile, bookPath);
    ZEBBook book;
    ASSERT_EQ(book.Open(bookPath), BookOpenResult::Opened);
    EXPECT_LT(atClose.Fraction, int32_t(InitialPositionFraction));  // it moved up from where it opened
    EXPECT_EQ(int32_t(book.Options().GetInteger(OptPosition, 0)), atClose.Position);
    EXPECT_EQ(int32_t(book.Options().GetInteger(OptPositionFraction, 0)), atClose.Fraction);
}

TEST_F(ReaderWindowTest, PointerHidesDuringAutoScrollOnlyAndMinimizingStopsIt)
{
    WriteBook(60);
    StartWithBook();
    WhileReading([&] {
        const double second = 1.0 / 86400;
        const double now = double(QDateTime::currentMSecsSinceEpoch()) / 86'400'000.0;
        const QPoint still = QCursor::pos();  // where the window's own checks see it too
        window->CheckPointer(still, now);
        window->CheckPointer(still, now + 20 * second);
        EXPECT_TRUE(window->PointerVisible()) << "never hidden without auto-scroll";
        QTest::keyClick(View(), Qt::Key_Insert);
        window->CheckPointer(still, now + 40 * second);
        window->CheckPointer(still, now + 56 * second);
        EXPECT_FALSE(window->PointerVisible());
        EXPECT_EQ(View()->cursor().shape(), Qt::BlankCursor);
        window->CheckPointer(still + QPoint(1, 0), now + 57 * second);
        EXPECT_TRUE(window->PointerVisible());
        EXPECT_NE(View()->cursor().shape(), Qt::BlankCursor);

        window->showMinimized();
        EXPECT_FALSE(window->Options().Settings().AutoScrollActive);
        window->showNormal();
    });
}

TEST_F(ReaderWindowTest, ResizingDuringAutoScrollLaysOutAgainAndScrollsOn)
{
    WriteBook(60);
    StartWithBook();
    WhileReading([&] {
        QTest::keyClick(View(), Qt::Key_Insert);
        const int32_t anchor = FirstScreenLine().Start;
        window->resize(700, 500);
        EXPECT_EQ(Engine().Metrics().ViewWidth, View()->width());
        EXPECT_EQ(Engine().Metrics().ViewHeight, View()->height());
        EXPECT_EQ(FirstScreenLine().Start, anchor);
        EXPECT_TRUE(window->Options().Settings().AutoScrollActive);
        EXPECT_TRUE(window->Reader().LoopRunning());
    });
}

}  // namespace
}  // namespace zeb::test
