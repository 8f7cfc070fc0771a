#include <fstream>

#include <QMimeData>
#include <QTimer>
#include <QToolButton>
#include <QUrl>
#include <QWheelEvent>

#include "BrowseFixture.h"
#include "library/ui/BrowseToolbar.h"
#include "storage/ZEBBookRecovery.h"

namespace zeb::test {
namespace {

TEST_F(LibraryWindowTest, FirstShowLoadsEveryBookWithItsProgressAndLeavesOutTheRest)
{
    WriteBook("00000000.book", u"b.txt");
    WriteBook("00000001.book", u"B.txt");
    WriteBook("00000002.book", u"a.txt");
    std::ofstream(fs::path(folders.books) / "00000003.book") << "no book";
    std::ofstream(fs::path(folders.books) / "notes.txt") << "not listed";
    Show();

    EXPECT_EQ(Titles(), (std::vector<std::u16string>{u"B.txt", u"a.txt", u"b.txt"}));
    EXPECT_EQ(progress.texts, std::vector<std::string>{"Loading ..."});
    EXPECT_EQ(progress.maximum, 4);
    EXPECT_EQ(progress.last, 4);
    EXPECT_EQ(progress.destroyed, 1);
    EXPECT_TRUE(fs::is_directory(folders.scratch));
    EXPECT_EQ(window->windowTitle(), "Library");
    EXPECT_EQ(window->minimumSize(), QSize(320, 240));

    // Later shows keep the list in memory.
    WriteBook("00000004.book", u"late.txt");
    window->hide();
    window->show();
    EXPECT_EQ(window->List().Count(), 3);
}

TEST_F(LibraryWindowTest, AnEmptyLibraryShowsNoProgressAndIgnoresEveryKey)
{
    fs::remove(folders.books);
    Show();
    EXPECT_TRUE(fs::is_directory(folders.books));
    EXPECT_TRUE(progress.texts.empty());
    for (Qt::Key key : {Qt::Key_Up, Qt::Key_Down, Qt::Key_Home, Qt::Key_End, Qt::Key_PageDown,
                        Qt::Key_Delete, Qt::Key_Return})
        Key(key);
    Click(10);
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(prompter.messages.empty());
    EXPECT_EQ(Selected(), -1);
}

// A view two and a half cells high over six books.
class LibraryKeysTest : public LibraryWindowTest {
protected:
    void SetUp() override
    {
        WriteBooks(6);
        Show();
        window->resize(640, BrowseToolbar::Height + CellHeight() * 5 / 2);
        QApplication::processEvents();
        ASSERT_EQ(List()->height() / CellHeight(), 2);
    }
};

TEST_F(LibraryKeysTest, KeysMoveTheSelectionAndKeepItWhollyInView)
{
    struct Case {
        std::vector<Qt::Key> keys;
        int32_t selected, top;
    };
    using K = Qt::Key;
    const Case cases[] = {
        {{K::Key_Down}, -1, 0},  // nothing selected: nothing to move
        {{K::Key_Home}, 0, 0},
        {{K::Key_Home, K::Key_Up}, 0, 0},
        {{K::Key_Home, K::Key_Down}, 1, 0},
        {{K::Key_Home, K::Key_Down, K::Key_Down}, 2, 1},
        {{K::Key_End}, 5, 4},
        {{K::Key_End, K::Key_Down}, 5, 4},
        {{K::Key_End, K::Key_Up, K::Key_Up, K::Key_Up}, 2, 2},
        {{K::Key_Home, K::Key_PageDown}, 2, 1},
        {{K::Key_Home, K::Key_PageDown, K::Key_PageDown, K::Key_PageDown}, 5, 4},
        {{K::Key_End, K::Key_PageUp}, 3, 3},
        {{K::Key_End, K::Key_Home}, 0, 0},
    };
    for (const Case& c : cases) {
        window->hide();
        window->show();  // every show starts at the top, the selection kept
        Key(Qt::Key_Home);
        Key(Qt::Key_Up);
        const_cast<ZEBBrowseFile&>(window->List()).ClearSelection();
        for (Qt::Key key : c.keys)
            Key(key);
        std::string keys;
        for (Qt::Key key : c.keys)
            keys += std::to_string(int(key)) + " ";
        EXPECT_EQ(Selected(), c.selected) << keys;
        EXPECT_EQ(Top(), c.top) << keys;
        EXPECT_EQ(window->ScrollBar()->value(), Top() * CellHeight()) << keys;
    }
}

TEST_F(LibraryKeysTest, PressingACutOffCellScrollsItIntoViewAndTheSelectionShows)
{
    Click(CellHeight() + 5);
    EXPECT_EQ(Selected(), 1);
    EXPECT_EQ(Top(), 0);
    Click(2 * CellHeight() + 5);  // the third cell shows only its upper half
    EXPECT_EQ(Selected(), 2);
    EXPECT_EQ(Top(), 1);
    Click(5, Qt::RightButton);
    EXPECT_EQ(Selected(), 2);

    QImage shown = List()->grab().toImage();
    const int x = List()->width() - 2;  // past the text
    EXPECT_EQ(shown.pixelColor(x, 2), QColor(211, 214, 191));                    // book 1
    EXPECT_EQ(shown.pixelColor(x, CellHeight() + 2), QColor(182, 182, 221));     // book 2
    EXPECT_EQ(shown.pixelColor(x, CellHeight() - 10), QColor(184, 187, 164));
    EXPECT_EQ(shown.pixelColor(x, 2 * CellHeight() - 10), QColor(219, 226, 255));
    EXPECT_EQ(shown.pixelColor(10, CellHeight() - 1), QColor(Qt::black));
}

TEST_F(LibraryKeysTest, TheScrollBarReachesTheLastBook)
{
    ASSERT_TRUE(window->ScrollBar()->isVisible());
    window->ScrollBar()->setValue(window->ScrollBar()->maximum());
    EXPECT_EQ(Top() + List()->height() / CellHeight(), 6);
    window->ScrollBar()->setValue(CellHeight() + 1);
    EXPECT_EQ(Top(), 1);
}

void Wheel(QWidget* target, int delta)
{
    QWheelEvent event(QPointF(20, 20), target->mapToGlobal(QPointF(20, 20)), QPoint(),
                      QPoint(0, delta), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(target, &event);
}

// A wheel message acts only when more than a hundredth of a second has passed since the one
// before, acted on or not.
TEST_F(LibraryKeysTest, WheelMessagesCloserThanAHundredthOfASecondMoveOnce)
{
    int64_t now = 1'000'000'000;
    window->SetClock([&now] { return now; });
    Key(Qt::Key_Home);
    const int64_t ms = 1'000'000;
    struct Step {
        int64_t after;  // since the message before
        int delta;
        int32_t selected;
    };
    const Step steps[] = {{0, -120, 1}, {5 * ms, -120, 1}, {9 * ms, -120, 1}, {11 * ms, -120, 2},
                          {20 * ms, 120, 1},  {10 * ms, 120, 1}};
    for (const Step& s : steps) {
        now += s.after;
        Wheel(List(), s.delta);
        EXPECT_EQ(Selected(), s.selected) << "after " << s.after / ms << " ms";
    }
}

TEST_F(LibraryWindowTest, ReadHandsOverTheSelectedBook)
{
    WriteBooks(2);
    Show();
    Key(Qt::Key_Return);  // nothing selected
    EXPECT_TRUE(window->isVisible());

    Key(Qt::Key_End);
    Key(Qt::Key_Return);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(window->result(), QDialog::Accepted);
    EXPECT_EQ(window->ChosenBook(), (fs::path(folders.books) / "00000001.book").string());

    window->show();
    QTest::mouseDClick(List(), Qt::LeftButton, Qt::NoModifier, QPoint(20, 5));
    EXPECT_EQ(window->result(), QDialog::Accepted);
    EXPECT_EQ(window->ChosenBook(), (fs::path(folders.books) / "00000000.book").string());

    window->show();
    Key(Qt::Key_Escape);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(window->result(), QDialog::Rejected);
}

// Shown modally over the main window's place; the chosen book comes back only with Read.
TEST_F(LibraryWindowTest, ChooseCoversTheMainWindowAndAnswersTheBookRead)
{
    WriteBooks(2);
    window = std::make_unique<TAA_Browse>(folders, reader, prompter, preview, progress, codePage);
    QWidget main;
    main.setGeometry(40, 50, 700, 520);
    main.show();
    auto user = [this](Qt::Key last) {
        QTimer::singleShot(0, window.get(), [this, last] {
            EXPECT_EQ(window->geometry(), QRect(40, 50, 700, 520));
            EXPECT_EQ(window->focusWidget(), List());
            Key(Qt::Key_End);
            Key(last);
        });
    };
    user(Qt::Key_Return);
    EXPECT_EQ(window->Choose(main), (fs::path(folders.books) / "00000001.book").string());
    user(Qt::Key_Escape);
    EXPECT_EQ(window->Choose(main), "");
}

TEST_F(LibraryWindowTest, FilesDroppedOnTheWindowAreImported)
{
    Show();
    const std::string text = (program.Path() / "dropped.txt").string();
    std::ofstream(text) << "Dropped here.\n";
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString(text))});
    const QPoint at(100, 100);
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window.get(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window.get(), &drop);
    EXPECT_TRUE(drop.isAccepted());
    EXPECT_TRUE(Titles().empty()) << "the drop itself returns before the import";
    EXPECT_TRUE(QTest::qWaitFor([&] { return !Titles().empty(); }));
    EXPECT_EQ(Titles(), std::vector<std::u16string>{u"dropped.txt"});
}

TEST_F(LibraryWindowTest, DeletingTheLastBookSelectsTheOneBeforeAndRemovesItsFiles)
{
    WriteBooks(3);
    const std::string last = (fs::path(folders.books) / "00000002.book").string();
    std::ofstream(last + ".saving") << "a save that never finished";
    Show();
    Key(Qt::Key_End);
    prompter.messageAnswers = {PromptAnswer::No};
    Key(Qt::Key_Delete);
    EXPECT_TRUE(fs::exists(last));

    Key(Qt::Key_Delete);
    ASSERT_EQ(prompter.messages.size(), 2u);
    EXPECT_EQ(prompter.messages[1].text, "Are you sure, what you want to delete this is book ?");
    EXPECT_EQ(prompter.messages[1].buttons, PromptButtons::YesNo);
    EXPECT_FALSE(fs::exists(last));
    EXPECT_FALSE(fs::exists(last + ".saving"));
    EXPECT_EQ(Titles(), (std::vector<std::u16string>{u"book 00", u"book 01"}));
    EXPECT_EQ(Selected(), 1);

    Key(Qt::Key_Home);
    QTest::mouseClick(window->Toolbar()->DeleteButton(), Qt::LeftButton);
    EXPECT_EQ(Titles(), std::vector<std::u16string>{u"book 01"});
    EXPECT_EQ(Selected(), 0);  // the next one
    Key(Qt::Key_Delete);
    EXPECT_EQ(window->List().Count(), 0);
    EXPECT_EQ(Selected(), -1);
    EXPECT_EQ(reader.closed, 0);
}

TEST_F(LibraryWindowTest, DeletingTheOpenBookClosesItInTheReaderFirst)
{
    WriteBooks(3);
    const std::string open = (fs::path(folders.books) / "00000001.book").string();
    ASSERT_EQ(reader.book.Open(open), BookOpenResult::Opened);
    Show();
    Key(Qt::Key_Home);
    Key(Qt::Key_Down);
    Key(Qt::Key_Delete);
    EXPECT_EQ(reader.closed, 1);
    EXPECT_TRUE(reader.closedWhileOnDisk);
    EXPECT_FALSE(fs::exists(open));

    ASSERT_EQ(reader.book.Open((fs::path(folders.books) / "00000002.book").string()),
              BookOpenResult::Opened);
    QTest::mouseClick(window->Toolbar()->DeleteAllButton(), Qt::LeftButton);
    EXPECT_EQ(prompter.messages.back().text, "Are you sure, what you want to delete all books ?");
    EXPECT_EQ(reader.closed, 2);
    EXPECT_EQ(window->List().Count(), 0);
    EXPECT_TRUE(fs::is_empty(folders.books));
}

std::string Data(const char* name)
{
    return std::string(ZEB_LIBRARY_TEST_DATA) + "/" + name;
}

// A text, a ZIP and an ARJ chosen together: converted in that order, one preview each, every
// book in the list at once and nothing left in the scratch folder.
TEST_F(LibraryWindowTest, ImportsChosenFilesInTheirOrder)
{
    Show();
    const std::string text = (program.Path() / "first.txt").string();
    std::ofstream(text) << "The first text.\n";
    std::ofstream(fs::path(folders.scratch) / "stale.txt") << "left by an interrupted import";
    std::vector<int32_t> countsWhenAsked;
    window->SetFileChooser([&] { return std::vector<std::string>{text, Data("note.zip"), Data("note.arj")}; });
    QTest::mouseClick(window->Toolbar()->ImportButton(), Qt::LeftButton);

    EXPECT_EQ(preview.asked, (std::vector<std::string>{"first.txt", "note.txt", "after.txt",
                                                       "note.txt", "after.txt"}));
    EXPECT_EQ(Titles(), (std::vector<std::u16string>{u"after.txt", u"after.txt", u"first.txt",
                                                     u"note.txt", u"note.txt"}));
    EXPECT_EQ(window->List()[0].bookPath, (fs::path(folders.books) / "00000002.book").string());
    EXPECT_EQ(window->List()[2].preview, std::vector<std::u16string>{u"The first text."});
    EXPECT_TRUE(ScratchEmpty());
    EXPECT_TRUE(prompter.messages.empty());
    EXPECT_TRUE(fs::exists(text));
}

TEST_F(LibraryWindowTest, ACancelledMemberLeavesNoBookAndNoCopy)
{
    Show();
    preview.cancel = "note.txt";
    window->ImportFiles({Data("note.arj")});
    EXPECT_EQ(Titles(), std::vector<std::u16string>{u"after.txt"});
    EXPECT_EQ(BookFileNamesIn(), std::vector<std::string>{"00000000.book"});
    EXPECT_TRUE(ScratchEmpty());
}

// Archives that cannot be read, or only in part, are named in a message with the reason; an
// unreadable one ends the run, and the window goes on working.
TEST_F(LibraryWindowTest, ABrokenArchiveIsReportedAndTheProgramGoesOn)
{
    Show();
    auto file = [this](const char* name) { return (program.Path() / name).string(); };
    std::ofstream(file("junk.zip")) << "this is no zip archive at all";
    std::ofstream(file("empty.lzh"));
    {
        std::ifstream in(Data("note.arj"), std::ios::binary);
        std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        std::ofstream(file("cut.arj"), std::ios::binary) << bytes.substr(0, bytes.size() - 40);
    }
    std::ofstream(file("after.txt")) << "Imported after the broken ones.\n";

    window->ImportFiles({file("empty.lzh"), file("cut.arj"), file("after.txt")});
    ASSERT_EQ(prompter.messages.size(), 2u);
    EXPECT_EQ(prompter.messages[0].text.rfind(file("empty.lzh") + "\n", 0), 0u)
        << prompter.messages[0].text;
    EXPECT_EQ(prompter.messages[1].text.rfind(file("cut.arj") + "\n", 0), 0u)
        << prompter.messages[1].text;
    EXPECT_EQ(Titles(), (std::vector<std::u16string>{u"after.txt", u"note.txt"}));

    window->ImportFiles({file("junk.zip"), file("after.txt")});
    ASSERT_EQ(prompter.messages.size(), 3u);
    EXPECT_EQ(prompter.messages[2].text.rfind(file("junk.zip") + "\n", 0), 0u);
    EXPECT_EQ(prompter.messages[2].icon, PromptIcon::Error);
    EXPECT_EQ(window->List().Count(), 2);  // the run ended at the ZIP
    EXPECT_TRUE(ScratchEmpty());
    Key(Qt::Key_Home);
    EXPECT_EQ(Selected(), 0);
}

}  // namespace
}  // namespace zeb::test
