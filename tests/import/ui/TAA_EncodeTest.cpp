#include "PreviewFixture.h"

#include <filesystem>

#include <QFontMetrics>
#include <QStatusBar>
#include <QToolButton>
#include <QWheelEvent>

#include "platform/CodePageDecoder.h"
#include "storage/ZEBIOFailure.h"
#include "render/ProfileFont.h"

using namespace zeb;
using namespace zeb::test;

namespace {

std::string NumberedLines(int count)
{
    std::string text;
    for (int k = 1; k <= count; ++k)
        text += "line " + std::to_string(k) + "\r\n";
    return text;
}

TEST_F(PreviewTest, ShowsAnEmptyRowThenTheLinesInTheWindowsBounds)
{
    ZEBFile& source = Source("Hello");
    Show(source, 1252, [&] {
        EXPECT_EQ(dialog.windowTitle(), "Book Preview");
        EXPECT_EQ(dialog.findChild<QLabel*>("caption")->text(),
                  "Filename: s.txt        File Size: 1");
        EXPECT_EQ(dialog.geometry(), main.geometry());
        EXPECT_EQ(List()->currentText().toStdString(), "1252  (ANSI - Latin I)");
        EXPECT_EQ(List()->count(), Catalogue().Count());
        EXPECT_EQ(List()->itemText(0).toStdString(), "      (Unicode)");
        EXPECT_TRUE(QFontInfo(List()->font()).fixedPitch());
        const QImage seen = Seen();
        EXPECT_FALSE(HasInk(seen, 0));
        EXPECT_TRUE(HasInk(seen, 1));
        EXPECT_FALSE(HasInk(seen, 2));
        EXPECT_FALSE(Bar()->isVisible());
        EXPECT_TRUE(Preview()->hasFocus());
    });
    EXPECT_EQ(dialog.Lines().Entries().Count(), 2);
    EXPECT_EQ(dialog.Lines().Entries()[1], 5);
}

TEST_F(PreviewTest, TheLineHeightIsThatOfA1InTheMonospacedPreviewFont)
{
    const QFont font = BuildProfileFont(FontProfile{.FontName = "Courier New", .FontSize = 12});
    EXPECT_TRUE(QFontInfo(font).fixedPitch());
    EXPECT_EQ(dialog.LineHeight(), QFontMetrics(font).size(Qt::TextSingleLine, "A1").height());
}

TEST_F(PreviewTest, ChoosingUtf16AndBackRedecodesTheText)
{
    ZEBFile& source = Source("ABCDEFGH\nIJKL\n");
    std::optional<int32_t> chosen = Show(
        source, 1252,
        [&] {
            const QImage ansi = Seen();
            List()->setFocus();
            QTest::keyClick(List(), Qt::Key_Home);
            EXPECT_EQ(dialog.CodePageInUse(), UnicodeCodePage);
            EXPECT_EQ(dialog.Lines().Entries().Count(), 2);  // no LF unit: one line
            const QImage wide = Seen();
            EXPECT_NE(wide, ansi);
            EXPECT_FALSE(HasInk(wide, 2));
            QTest::keyClicks(List(), "1252");
            EXPECT_EQ(dialog.CodePageInUse(), 1252);
            EXPECT_EQ(Seen(), ansi);
            QTest::keyClick(List(), Qt::Key_Home);
        },
        [&] { QTest::mouseClick(Button("import"), Qt::LeftButton); });
    EXPECT_EQ(chosen, UnicodeCodePage);
}

TEST_F(PreviewTest, DoNotImportAndEscapeGiveNothing)
{
    ZEBFile& source = Source("text\n");
    EXPECT_EQ(Show(source, 866, [] {}), std::nullopt);
    EXPECT_EQ(Show(source, 866, [] {},
                   [&] { QTest::keyClick(Preview(), Qt::Key_Escape); }),
              std::nullopt);
    EXPECT_EQ(Show(source, 866, [] {},
                   [&] { QTest::mouseClick(Button("import"), Qt::LeftButton); }),
              866);
}

TEST_F(PreviewTest, EndReadsTheSourceToItsEndOnceAndShowsTheLastLine)
{
    const int lines = 20000;
    ZEBFile& source = Source(NumberedLines(lines));
    Show(source, 65001, [&] {
        const int32_t found = dialog.Lines().Entries().Count();
        EXPECT_LT(found, 100);
        EXPECT_TRUE(Bar()->isVisible());
        QTest::keyClick(Preview(), Qt::Key_End);
        const int h = dialog.LineHeight();
        EXPECT_EQ(dialog.Lines().Entries().Count(), lines + 1);
        EXPECT_EQ(dialog.Lines().ScrollRange(h), int64_t(lines + 1) * h);
        EXPECT_EQ(Bar()->maximum(), (lines + 1) * h - Preview()->height());
        EXPECT_EQ(Bar()->value(), Bar()->maximum());
        const QImage seen = Seen();
        const int bottomRow = (Preview()->height() - 1) / h;
        EXPECT_TRUE(HasInk(seen, bottomRow - (Preview()->height() % h != 0)));
        QTest::keyClick(Preview(), Qt::Key_End);
        EXPECT_EQ(dialog.Lines().Entries().Count(), lines + 1);
        QTest::keyClick(Preview(), Qt::Key_Home);
        EXPECT_EQ(Bar()->value(), 0);
        EXPECT_FALSE(HasInk(Seen(), 0));
    });
}

TEST_F(PreviewTest, KeysAndWheelMoveTheViewByLinesAndPages)
{
    ZEBFile& source = Source(NumberedLines(500));
    Show(source, 1252, [&] {
        const int h = dialog.LineHeight();
        const int page = Preview()->height() / h;
        EXPECT_FALSE(HasInk(Seen(), 0));
        QTest::keyClick(Preview(), Qt::Key_Down);
        EXPECT_EQ(Bar()->value(), h);
        EXPECT_TRUE(HasInk(Seen(), 0));  // row 1, the first line, now on top
        QTest::keyClick(Preview(), Qt::Key_PageDown);
        EXPECT_EQ(Bar()->value(), h + page * h);
        QTest::keyClick(Preview(), Qt::Key_Up);
        EXPECT_EQ(Bar()->value(), page * h);
        QTest::keyClick(Preview(), Qt::Key_PageUp);
        EXPECT_EQ(Bar()->value(), 0);
        QTest::keyClick(Preview(), Qt::Key_Up);
        EXPECT_EQ(Bar()->value(), 0);

        const QPointF at(20, 20);
        QWheelEvent down(at, Preview()->mapToGlobal(at), {}, {0, -120}, Qt::NoButton,
                         Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(Preview(), &down);
        QCoreApplication::sendEvent(Preview(), &down);
        EXPECT_EQ(Bar()->value(), 2 * h);
        QWheelEvent up(at, Preview()->mapToGlobal(at), {}, {0, 120}, Qt::NoButton,
                       Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(Preview(), &up);
        EXPECT_EQ(Bar()->value(), h);

        QTest::mouseClick(Bar(), Qt::LeftButton, {}, QPoint(8, Bar()->height() - 30));
        EXPECT_GT(Bar()->value(), h);
        EXPECT_TRUE(HasInk(Seen(), 0));
    });
}

TEST_F(PreviewTest, ALongLineIsCutAfterIts257thCharacter)
{
    main.setGeometry(0, 0, 3100, 300);
    ZEBFile& source = Source(std::string(300, 'W') + "\n");
    Show(source, 1252, [&] {
        const QFontMetricsF metrics(
            BuildProfileFont(FontProfile{.FontName = "Courier New", .FontSize = 12}));
        const double w = metrics.horizontalAdvance(QLatin1Char('W'));
        ASSERT_GT(Preview()->width(), 4 + 280 * w);
        // The text's right edge within half a character of that of 257 characters.
        EXPECT_NEAR(RightmostInk(Seen()), 4 + 257 * w, w / 2);
    });
}

TEST_F(PreviewTest, ACodePageMissingFromTheListShowsTheNewSourceInTheAnsiEntry)
{
    ZEBFile& first = Source("first\n", "a.txt");
    Show(first, UnicodeCodePage, [] {});
    ZEBFile& second = Source("x\ny\nz", "b.txt");
    std::optional<int32_t> chosen = Show(
        second, 12345,
        [&] {
            EXPECT_EQ(List()->currentIndex(), Catalogue().DefaultIndex());
            const QImage seen = Seen();
            EXPECT_TRUE(HasInk(seen, 1) && HasInk(seen, 2) && HasInk(seen, 3));
            EXPECT_FALSE(HasInk(seen, 4));
        },
        [&] { QTest::mouseClick(Button("import"), Qt::LeftButton); });
    EXPECT_EQ(chosen, Catalogue().Entry(Catalogue().DefaultIndex())->codePage);
    EXPECT_EQ(dialog.Lines().Entries().Count(), 4);
    EXPECT_EQ(dialog.Lines().Entries()[3], 5);
}

// A Russian text in 1251 would show replacement characters in the remembered UTF-8: the
// confident suggestion is selected instead, and "Use it" brings it back after another choice.
TEST_F(PreviewTest, TheSuggestionIsShownAndSelectedWhereTheRememberedPageWouldGarbleTheText)
{
    std::string russian;
    for (int i = 0; i < 40; ++i)
        russian += "\xCE\xF1\xE5\xED\xED\xE8\xE9 \xE2\xE5\xF2\xE5\xF0 \xF1\xF0\xFB\xE2\xE0\xEB "
                   "\xEF\xEE\xF1\xEB\xE5\xE4\xED\xE8\xE5 \xEB\xE8\xF1\xF2\xFC\xFF.\r\n";
    ZEBFile& source = Source(russian);
    std::optional<int32_t> chosen = Show(
        source, 65001,
        [&] {
            auto* label = dialog.findChild<QLabel*>("suggestion");
            auto* use = dialog.findChild<QToolButton*>("useSuggestion");
            EXPECT_EQ(label->text(), "Looks like: 1251 (ANSI - Cyrillic)");
            EXPECT_TRUE(label->isVisible());
            EXPECT_EQ(dialog.CodePageInUse(), 1251);
            EXPECT_FALSE(use->isEnabled());
            List()->setCurrentIndex(*Catalogue().IndexOf(866));
            EXPECT_TRUE(use->isEnabled());
            QTest::mouseClick(use, Qt::LeftButton);
            EXPECT_EQ(dialog.CodePageInUse(), 1251);
        },
        [&] { QTest::mouseClick(Button("import"), Qt::LeftButton); });
    EXPECT_EQ(chosen, 1251);

    // A text the remembered page shows cleanly keeps it, whatever it looks like.
    ZEBFile& latin = Source("plain words\n", "latin.txt");
    Show(latin, 1252, [&] {
        EXPECT_EQ(dialog.CodePageInUse(), 1252);
        EXPECT_EQ(dialog.SuggestedCodePage(), 65001);
    });
}

// The source going away under the preview (a removed stick, a network share gone) is a read
// failure for the import to report, not the end of the program.
TEST_F(PreviewTest, ASourceThatCannotBeReadEndsThePreviewWithTheFailure)
{
    ZEBFile& source = Source(NumberedLines(400'000));
    bool visibleAfter = true;
    EXPECT_THROW(Show(source, 1252,
                      [&] {
                          std::filesystem::resize_file(dir.File("s.txt"), 0);
                          QTest::keyClick(Preview(), Qt::Key_End);
                          QCoreApplication::processEvents();
                          visibleAfter = dialog.isVisible();
                      }),
                 ZEBIOFailure);
    EXPECT_FALSE(visibleAfter);
}

}  // namespace
