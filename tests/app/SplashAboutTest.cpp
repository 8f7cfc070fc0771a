// The splash window's strip and the about box's picture button, driven with real mouse events;
// the version both write onto the title; the start-up gauge the code page scan drives.
#include <climits>
#include <vector>

#include <QApplication>
#include <QMouseEvent>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include "app/TAA_About.h"
#include "app/TAA_Main.h"
#include "app/TAA_Splash.h"
#include "app/TitlePictures.h"
#include "import/ZEBCodepage.h"
#include "support/FakePrompter.h"
#include "support/TempDir.h"

namespace zeb::test {
namespace {

const QPoint ButtonMiddle =
    TAA_About::ButtonAt + QPoint(AboutButtonSize.width() / 2, AboutButtonSize.height() / 2);

// Counts the paint events a widget receives.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget& widget) { widget.installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* event) override
    {
        paints += event->type() == QEvent::Paint;
        return false;
    }
    int paints = 0;
};

// How many pixels of the strip's row y, from the left, are black before the first that is not.
int BlackRun(const QImage& shot, int y)
{
    int x = 0;
    while (x < shot.width() && shot.pixelColor(x, y) == QColor(Qt::black))
        ++x;
    return x;
}

// Whether the picture's pixels in area differ anywhere from the bare title's.
bool DiffersFromTitle(const QImage& shot, const QRect& area)
{
    const QImage title = TitlePicture().convertToFormat(QImage::Format_RGB32);
    const QImage drawn = shot.convertToFormat(QImage::Format_RGB32);
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (drawn.pixel(x, y) != title.pixel(x, y))
                return true;
    return false;
}

TEST(SplashTest, TheStripIsBlackUpToTheProgressAndButtonFaceAfterIt)
{
    TAA_Splash splash;
    const int width = splash.StripWidth();
    const QColor face = splash.palette().color(QPalette::Button);
    struct Case {
        int32_t progress;
        int black;
    };
    for (Case c : {Case{100, 100}, Case{1, 1}, Case{width + 50, width}, Case{INT32_MAX, width},
                   Case{-5, 0}, Case{INT32_MIN, 0}, Case{0, 0}}) {
        splash.SetProgress(c.progress);
        const QImage shot = splash.grab().toImage();
        for (int y : {TitlePictureSize.height(), TitlePictureSize.height() + 7}) {
            EXPECT_EQ(BlackRun(shot, y), c.black) << "progress " << c.progress << ", row " << y;
            for (int x = c.black; x < width; ++x)
                ASSERT_EQ(shot.pixelColor(x, y), face) << "progress " << c.progress << ", x " << x;
        }
    }
}

TEST(SplashTest, ProgressPaintsTheShownStripAtOnceAndOnlyWhenItChanges)
{
    TAA_Splash splash;
    splash.ShowAtOnce();
    PaintCounter counter(splash);
    splash.SetProgress(10);
    EXPECT_EQ(counter.paints, 1) << "painted before returning, without the event loop";
    splash.SetProgress(10);
    EXPECT_EQ(counter.paints, 1);
    splash.SetProgress(11);
    EXPECT_EQ(counter.paints, 2);
}

TEST(SplashTest, TheGaugeRunsFromEmptyToFullOverTheProbedCodePages)
{
    EXPECT_EQ(ZEBCodepage::ProbeGauge(16, 256), 0);
    EXPECT_EQ(ZEBCodepage::ProbeGauge(271, 256), 0);
    EXPECT_EQ(ZEBCodepage::ProbeGauge(272, 256), 1);
    EXPECT_EQ(ZEBCodepage::ProbeGauge(32775, 256), 127);
    EXPECT_EQ(ZEBCodepage::ProbeGauge(65534, 256), 255);
    EXPECT_EQ(ZEBCodepage::ProbeGauge(65535, 256), 256);
}

TEST(SplashTest, TheMainWindowReportsEveryProbedCodePageInOrderWhileItIsCreated)
{
    TempDir folder;
    FakePrompter prompter;
    std::vector<int32_t> probed;
    TAA_Main window(folder.Path().string(), prompter,
                    [&probed](int32_t codePage) { probed.push_back(codePage); });
    ASSERT_EQ(probed.size(), size_t(ZEBCodepage::LastProbed - ZEBCodepage::FirstProbed + 1));
    for (size_t i = 0; i < probed.size(); ++i)
        ASSERT_EQ(probed[i], ZEBCodepage::FirstProbed + int32_t(i));
}

TEST(TitleTest, BothWindowsWriteTheVersionOntoTheTitle)
{
    TAA_Splash splash;
    TAA_About about(nullptr);
    const QRect version(VersionTextAt, QSize(20, 14));
    const QRect farAway(4, 4, 20, 14);
    for (QWidget* window : {static_cast<QWidget*>(&splash), static_cast<QWidget*>(&about)}) {
        const QImage shot = window->grab().toImage();
        EXPECT_TRUE(DiffersFromTitle(shot, version)) << window->metaObject()->className();
        EXPECT_FALSE(DiffersFromTitle(shot, farAway)) << window->metaObject()->className();
    }
}

class AboutTest : public ::testing::Test {
protected:
    AboutTest() : about(&mainWindow) { mainWindow.setGeometry(100, 100, 640, 460); }

    void Click(QPoint at)
    {
        QTest::mousePress(&about, Qt::LeftButton, Qt::NoModifier, at);
        QTest::mouseRelease(&about, Qt::LeftButton, Qt::NoModifier, at);
    }

    QColor ShownAt(QPoint at) { return about.grab().toImage().pixelColor(at); }

    QWidget mainWindow;
    TAA_About about;
};

TEST_F(AboutTest, AClickOnTheButtonsWhiteOrBesideItDoesNothing)
{
    about.show();
    const QPoint corner = TAA_About::ButtonAt;
    ASSERT_FALSE(IsOpaquePixel(AboutButtonPicture(false), QPoint(0, 0))) << "white corner";
    const QPoint pastRight = corner + QPoint(AboutButtonSize.width(), AboutButtonSize.height() / 2);
    const QPoint below = corner + QPoint(AboutButtonSize.width() / 2, AboutButtonSize.height());
    for (QPoint at : {corner, corner - QPoint(1, 0), corner - QPoint(0, 1), pastRight, below,
                      QPoint(5, 5), QPoint(250, 120)}) {
        Click(at);
        EXPECT_TRUE(about.isVisible()) << at.x() << ", " << at.y();
        EXPECT_TRUE(about.Released());
    }
}

TEST_F(AboutTest, PressingShowsThePushedButtonAndReleasingAnywhereCloses)
{
    about.show();
    const QColor released = ShownAt(ButtonMiddle);
    QTest::mousePress(&about, Qt::LeftButton, Qt::NoModifier, ButtonMiddle);
    EXPECT_FALSE(about.Released());
    EXPECT_NE(ShownAt(ButtonMiddle), released) << "the pressed picture";
    EXPECT_TRUE(about.isVisible()) << "a press alone does not close";

    const QPoint away(220, 20);
    QMouseEvent move(QEvent::MouseMove, QPointF(away), about.mapToGlobal(QPointF(away)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&about, &move);
    QTest::mouseRelease(&about, Qt::LeftButton, Qt::NoModifier, away);
    EXPECT_FALSE(about.isVisible());
    EXPECT_EQ(about.result(), QDialog::Accepted);
}

TEST_F(AboutTest, ShownModallyOverTheMainWindowUntilItsButtonIsClickedAndReleasedAgainNextTime)
{
    for (int time = 0; time < 2; ++time) {
        // Should the click not close the box, the test fails rather than hangs.
        QTimer guard;
        guard.setSingleShot(true);
        QObject::connect(&guard, &QTimer::timeout, &about, &QDialog::reject);
        guard.start(10000);
        bool modal = false;
        QPoint centre;
        QTimer::singleShot(0, &about, [&] {
            modal = about.isModal() && QApplication::activeModalWidget() == &about;
            centre = about.geometry().center();
            EXPECT_TRUE(about.Released()) << "time " << time;
            Click(ButtonMiddle);
        });
        about.Show();
        EXPECT_EQ(about.result(), QDialog::Accepted) << "time " << time;
        EXPECT_TRUE(modal);
        // Within what the window frame may shift it by.
        EXPECT_LE((centre - mainWindow.geometry().center()).manhattanLength(), 8);
        EXPECT_FALSE(about.isVisible());
    }
}

}  // namespace
}  // namespace zeb::test
