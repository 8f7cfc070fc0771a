// The bookmarks dialog over a reader with a book, driven with real keys and clicks: its list,
// adding, going to, deleting one or all, the custom position, and the reader moving there.
#include <QHeaderView>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

#include "ReaderFixture.h"
#include "app/BookmarksToolbar.h"
#include "app/MainToolbar.h"
#include "app/TAA_Bookmarks.h"
#include "app/TAA_Percent.h"
#include "storage/ZEBBook.h"

namespace zeb::test {
namespace {

// The platform activates a window a moment after it was asked to, as a window manager does.
bool BecomesActive(QWidget* window)
{
    return QTest::qWaitFor([window] { return QApplication::activeWindow() == window; });
}

// The style lays a faint focus frame over the current row.
bool Near(QColor shown, QColor expected)
{
    return std::abs(shown.red() - expected.red()) + std::abs(shown.green() - expected.green()) +
               std::abs(shown.blue() - expected.blue()) <= 8;
}

class BookmarksDialogTest : public ReaderWindowTest {
protected:
    // Runs body with the dialog over the reader's book, shown without blocking.
    void WithDialog(const std::function<void()>& body)
    {
        WriteBook(60);
        StartWithBook();
        WhileReading([&] {
            dialog = std::make_unique<TAA_Bookmarks>(Engine(), answering);
            body();
            dialog.reset();
        });
    }

    // Shown, the dialog takes the keys once the platform has made it the active window.
    void Show()
    {
        dialog->show();
        ASSERT_TRUE(BecomesActive(dialog.get()));
        ASSERT_TRUE(List()->hasFocus());
    }

    QTreeWidget* List() const { return dialog->List(); }
    ZEBBook& Book() const { return Engine().Book(); }
    ZEBBookmark& Marks() const { return Book().Bookmarks(); }
    int32_t TextStart() const { return Book().TextStart(); }
    int32_t TextEnd() const { return Book().TextEnd(); }

    void Key(Qt::Key key) { QTest::keyClick(List(), key); }
    // A point in the row's position column; the text column reaches past the view.
    QPoint InRow(int row) const
    {
        const QRect rect = List()->visualItemRect(List()->topLevelItem(row));
        return {rect.left() + 10, rect.center().y()};
    }
    void ClickRow(int row)
    {
        QTest::mouseClick(List()->viewport(), Qt::LeftButton, {}, InRow(row));
    }
    // What a mouse sends for a double click: a click, then the double click and its release.
    void DoubleClickRow(int row)
    {
        ClickRow(row);
        QTest::mouseDClick(List()->viewport(), Qt::LeftButton, {}, InRow(row));
        QTest::mouseRelease(List()->viewport(), Qt::LeftButton, {}, InRow(row));
    }

    std::vector<QString> Column(int column) const
    {
        std::vector<QString> texts;
        for (int i = 0; i < List()->topLevelItemCount(); ++i)
            texts.push_back(List()->topLevelItem(i)->text(column));
        return texts;
    }

    // Shows the reader's place at position's line, at the top of the view.
    void ReadAt(int32_t position) { Engine().SetPosition(position, 0); }

    FakePrompter answering;
    std::unique_ptr<TAA_Bookmarks> dialog;
};

TEST_F(BookmarksDialogTest, RowsShowPercentAndTextInPositionOrder)
{
    WithDialog([&] {
        const int32_t range = TextEnd() - TextStart();
        ASSERT_GT(range, 2000) << "37.5% needs a text range that rounds to it";
        Marks().Insert(TextStart() + range / 2, u"middle");
        Marks().Insert(TextStart(), u"start");
        Marks().Insert(TextStart() + range * 3 / 8, u"three eighths");
        Show();
        EXPECT_EQ(Column(0), (std::vector<QString>{"0%", "37.5%", "50%"}));
        EXPECT_EQ(Column(1), (std::vector<QString>{"start", "three eighths", "middle"}));
        EXPECT_EQ(List()->headerItem()->text(0), "Position");
        EXPECT_EQ(List()->headerItem()->text(1), "Text");
        EXPECT_EQ(dialog->size(), QSize(640, 460));
        EXPECT_EQ(dialog->windowTitle(), "Bookmarks");
    });
}

// The text column is drawn highlighted only while the list has the focus; the list's own
// colour otherwise, so a selection seen in grey tells that the keys are elsewhere.
TEST_F(BookmarksDialogTest, TheTextColumnHighlightsTheSelectionWhileTheListHasTheFocus)
{
    WithDialog([&] {
        Marks().Insert(TextStart() + 10, u"one");
        Marks().Insert(TextStart() + 20, u"two");
        Show();
        ClickRow(1);
        const QPoint cell(List()->header()->sectionPosition(1) + 200, InRow(1).y());
        QImage shot = List()->viewport()->grab().toImage();
        EXPECT_TRUE(Near(shot.pixel(cell), List()->palette().color(QPalette::Highlight)));
        List()->clearFocus();
        shot = List()->viewport()->grab().toImage();
        EXPECT_EQ(QColor(shot.pixel(cell)), QColor(0xD1, 0xD3, 0xC5));
    });
}

TEST_F(BookmarksDialogTest, EnterAddsSpaceGoesDeleteDeletesEscapeCloses)
{
    WithDialog([&] {
        const ZEBParagInfo& parags = Book().Parags();
        ReadAt(parags[20]);
        Show();
        Key(Qt::Key_Return);
        ASSERT_EQ(Marks().Count(), 1);
        EXPECT_EQ(Marks()[0].Position, parags[20]);
        EXPECT_EQ(Column(1), std::vector<QString>{QString::fromStdU16String(Marks()[0].Text)});
        Key(Qt::Key_Enter);  // the same place again
        EXPECT_EQ(Marks().Count(), 1);
        ReadAt(parags[5]);
        QTest::mouseClick(dialog->Toolbar()->SetButton(), Qt::LeftButton);
        ASSERT_EQ(Marks().Count(), 2);
        EXPECT_EQ(Marks()[0].Position, parags[5]);

        Key(Qt::Key_Space);
        Key(Qt::Key_Delete);
        EXPECT_TRUE(dialog->isVisible()) << "nothing selected: nothing to go to";
        EXPECT_EQ(Marks().Count(), 2);

        ClickRow(0);
        Key(Qt::Key_Delete);
        ASSERT_EQ(Marks().Count(), 1);
        EXPECT_EQ(Column(0).size(), 1u);
        EXPECT_EQ(Marks()[0].Position, parags[20]);

        ClickRow(0);
        Key(Qt::Key_Space);
        EXPECT_FALSE(dialog->isVisible());
        EXPECT_EQ(dialog->result(), QDialog::Accepted);
        EXPECT_EQ(dialog->ChosenPosition(), parags[20]);

        Show();
        Key(Qt::Key_Escape);
        EXPECT_FALSE(dialog->isVisible());
        EXPECT_EQ(dialog->result(), QDialog::Rejected);

        Show();
        DoubleClickRow(0);
        EXPECT_EQ(dialog->result(), QDialog::Accepted);
        EXPECT_EQ(dialog->ChosenPosition(), parags[20]);
    });
}

TEST_F(BookmarksDialogTest, DeleteAllAsksFirst)
{
    WithDialog([&] {
        Marks().Insert(TextStart() + 10, u"one");
        Marks().Insert(TextStart() + 20, u"two");
        Show();
        answering.answer = PromptAnswer::No;
        QTest::mouseClick(dialog->Toolbar()->DeleteAllButton(), Qt::LeftButton);
        EXPECT_EQ(Marks().Count(), 2);
        EXPECT_EQ(Column(0).size(), 2u);
        ASSERT_EQ(answering.messages.size(), 1u);
        EXPECT_EQ(answering.messages[0].text,
                  "Are you sure, what you want to delete all bookmarks ?");
        EXPECT_EQ(answering.messages[0].buttons, PromptButtons::YesNo);

        answering.answer = PromptAnswer::Yes;
        QTest::mouseClick(dialog->Toolbar()->DeleteAllButton(), Qt::LeftButton);
        EXPECT_EQ(Marks().Count(), 0);
        EXPECT_EQ(List()->topLevelItemCount(), 0);
        EXPECT_TRUE(dialog->isVisible());
    });
}

TEST_F(BookmarksDialogTest, TheCustomPositionRunsFromTheStartToTheLastPosition)
{
    WithDialog([&] {
        Show();
        auto type = [this](const char* text, Qt::Key last) {
            QTimer::singleShot(0, dialog.get(), [this, text, last] {
                QLineEdit* field = dialog->Percent()->Field();
                EXPECT_TRUE(BecomesActive(dialog->Percent()));
                EXPECT_TRUE(field->hasFocus());
                field->selectAll();
                QTest::keyClicks(field, QString::fromLatin1(text));
                QTest::keyClick(field, last);
            });
            QTest::mouseClick(dialog->Toolbar()->CustomButton(), Qt::LeftButton);
        };
        type("40", Qt::Key_Escape);
        EXPECT_TRUE(dialog->isVisible()) << "the percent dialog was cancelled";
        type("100", Qt::Key_Return);
        EXPECT_EQ(dialog->result(), QDialog::Accepted);
        EXPECT_EQ(dialog->ChosenPosition(), TextEnd() - 1);
        Show();
        type("0", Qt::Key_Return);
        EXPECT_EQ(dialog->ChosenPosition(), TextStart());
    });
}

// Without a book there is nothing to mark and no place to go: the dialog stays open, empty.
TEST_F(BookmarksDialogTest, WithoutABookNothingIsAddedAndNoPlaceChosen)
{
    GlobalConfig config = Config(false);
    Start(&config);
    WhileReading([&] {
        dialog = std::make_unique<TAA_Bookmarks>(Engine(), answering);
        Show();
        Key(Qt::Key_Return);
        EXPECT_EQ(Marks().Count(), 0);
        QTimer::singleShot(0, dialog.get(), [this] {
            ASSERT_TRUE(BecomesActive(dialog->Percent()));
            QTest::keyClick(dialog->Percent()->Field(), Qt::Key_Return);
        });
        QTest::mouseClick(dialog->Toolbar()->CustomButton(), Qt::LeftButton);
        EXPECT_TRUE(dialog->isVisible());
        EXPECT_EQ(List()->topLevelItemCount(), 0);
        dialog.reset();
    });
}

TEST_F(ReaderWindowTest, TheBookmarksButtonMovesTheReaderToTheChosenBookmark)
{
    WriteBook(60);
    StartWithBook();
    WhileReading([&] {
        ZEBBook& book = Engine().Book();
        const int32_t target = book.Parags()[40] + 7;  // inside the paragraph's first line
        book.Bookmarks().Insert(target, u"there");
        TAA_Bookmarks* dialog = window->Bookmarks();
        QTimer::singleShot(0, dialog, [dialog] {
            EXPECT_TRUE(BecomesActive(dialog));
            QTreeWidget* list = dialog->List();
            QRect row = list->visualItemRect(list->topLevelItem(0));
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row.topLeft() + QPoint(10, 5));
            QTest::keyClick(list, Qt::Key_Space);
        });
        QTest::mouseClick(window->Toolbar()->BookmarksButton(), Qt::LeftButton);
        EXPECT_FALSE(dialog->isVisible());
        EXPECT_EQ(FirstScreenLine().Start, book.Parags()[40]);
        EXPECT_EQ(FirstScreenLine().Y, 0);
        EXPECT_EQ(window->focusWidget(), View());
    });
}

// A book whose text fails its deferred check is closed while the dialog may be open: the rows
// go with it, and Space on a row left from before goes nowhere.
TEST_F(BookmarksDialogTest, ABookClosedUnderTheDialogLeavesNoRowToGoTo)
{
    WithDialog([&] {
        Marks().Insert(TextStart() + 10, u"one");
        Show();
        ClickRow(0);
        Engine().Reset();
        Key(Qt::Key_Space);
        EXPECT_TRUE(dialog->isVisible()) << "nothing to go to";

        window->Bookmarks()->show();
        window->Reader().Open(bookPath);
        Marks().Insert(TextStart() + 10, u"one");
        window->Bookmarks()->Refill();
        ASSERT_EQ(window->Bookmarks()->List()->topLevelItemCount(), 1);
        window->Reader().CloseBook();
        EXPECT_EQ(window->Bookmarks()->List()->topLevelItemCount(), 0);
        window->Bookmarks()->hide();
    });
}

}  // namespace
}  // namespace zeb::test
