// Finding in the book from the reader window: Ctrl+F, Enter and F3, the notices, Escape.
#include "ReaderFixture.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QtTest/QTest>

#include "app/FindBar.h"

namespace zeb::test {
namespace {

class FindBarTest : public ReaderWindowTest {
protected:
    // Numbered paragraphs; every tenth one holds the phrase, split over a line end.
    void WriteNumberedBook(int paragraphs)
    {
        TestBookWriter book(bookPath);
        for (int i = 0; i < paragraphs; ++i) {
            std::u16string number = QString::number(i).toStdU16String();
            book.Paragraph().Line(u"\tParagraph " + number + u" is here, and " +
                                  (i % 10 == 5 ? u"the silver" : u"a plain"));
            book.Line(i % 10 == 5 ? u"Lighthouse stands." : u"line follows.");
        }
        book.Finish();
    }

    FindBar& Bar() const { return *window->Finder(); }

    void Type(const QString& phrase, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        Bar().Phrase()->clear();
        QTest::keyClicks(Bar().Phrase(), phrase);
        QTest::keyClick(Bar().Phrase(), Qt::Key_Return, modifiers);
        WaitForTheSearch();
    }

    void WaitForTheSearch()
    {
        QElapsedTimer guard;
        guard.start();
        while (Bar().Notice()->text().startsWith("Searching") && guard.elapsed() < 5000)
            QCoreApplication::processEvents();
    }

    // The paragraph whose line the view shows highlighted, a quarter down the view.
    int HighlightedParagraph() const
    {
        const std::optional<PhraseMatch>& match = Engine().Highlight();
        if (!match)
            return -1;
        for (const ZEBRenderScreenLine& entry : Engine().ScreenLines()) {
            const ZEBRenderLineObject& line = *entry.Line;
            if (line.Start <= KeyPosition(match->first) && KeyPosition(match->first) < line.End) {
                EXPECT_NEAR(line.Y, Engine().Metrics().ViewHeight / 4, line.Height);
                return Engine().Book().Parags().FindIndex(KeyPosition(match->first));
            }
        }
        return -2;
    }
};

TEST_F(FindBarTest, FindsForwardAndBackwardWithWrapNoticesAndEscapeClosesOnlyTheBar)
{
    WriteNumberedBook(40);
    StartWithBook();
    WhileReading([&] {
        QTest::keyClick(View(), Qt::Key_F, Qt::ControlModifier);
        ASSERT_TRUE(Bar().isVisible());
        ASSERT_TRUE(Bar().Phrase()->hasFocus());
        Type("SILVER lighthouse");  // across the line end, case folded
        EXPECT_EQ(HighlightedParagraph(), 5);
        EXPECT_EQ(Bar().Notice()->text(), "");
        QTest::keyClick(Bar().Phrase(), Qt::Key_F3);
        WaitForTheSearch();
        EXPECT_EQ(HighlightedParagraph(), 15);
        QTest::keyClick(Bar().Phrase(), Qt::Key_F3, Qt::ShiftModifier);
        WaitForTheSearch();
        EXPECT_EQ(HighlightedParagraph(), 5);
        QTest::keyClick(Bar().Phrase(), Qt::Key_F3, Qt::ShiftModifier);
        WaitForTheSearch();
        EXPECT_EQ(HighlightedParagraph(), 35);
        EXPECT_EQ(Bar().Notice()->text(), "Went on from the other end");

        Bar().MatchCase()->setChecked(true);
        Type("SILVER lighthouse");
        EXPECT_EQ(Bar().Notice()->text(), "Not found");

        // Escape in the bar closes the bar; the view has the keys again, and F3 from the view
        // finds on with the phrase of the bar.
        QTest::keyClick(Bar().Phrase(), Qt::Key_Escape);
        EXPECT_FALSE(Bar().isVisible());
        EXPECT_TRUE(window->isVisible());
        EXPECT_TRUE(View()->hasFocus());
        Bar().MatchCase()->setChecked(false);
        QTest::keyClick(View(), Qt::Key_Home);
        QTest::keyClick(View(), Qt::Key_F3);
        WaitForTheSearch();
        EXPECT_EQ(HighlightedParagraph(), 5);
        // The highlight goes with the next move.
        QTest::keyClick(View(), Qt::Key_Down);
        EXPECT_FALSE(Engine().Highlight());
    });
}

TEST_F(FindBarTest, ALongSearchShowsItsProgressAndEscapeStopsIt)
{
    WriteNumberedBook(30000);
    StartWithBook();
    WhileReading([&] {
        QTest::keyClick(View(), Qt::Key_F, Qt::ControlModifier);
        QTest::keyClicks(Bar().Phrase(), "nowhere in the book");
        QTest::keyClick(Bar().Phrase(), Qt::Key_Return);
        EXPECT_TRUE(Bar().Notice()->text().startsWith("Searching... "));
        QTest::keyClick(Bar().Phrase(), Qt::Key_Escape);
        EXPECT_EQ(Bar().Notice()->text(), "Stopped");
        EXPECT_TRUE(Bar().isVisible());
        EXPECT_FALSE(Engine().Highlight());
    });
}

}  // namespace
}  // namespace zeb::test
