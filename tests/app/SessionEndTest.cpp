// The place in the book survives what ends a session on Linux: a termination signal (a logout,
// a shutdown) closes the reader the orderly way, even with a dialog open; "Global.cfg" names the
// open book from the moment it opens; and a second close asked for meanwhile saves nothing twice.
#include <csignal>

#include <QCloseEvent>
#include <QTest>
#include <QToolButton>

#include "ReaderFixture.h"
#include "app/MainToolbar.h"
#include "app/TAA_Bookmarks.h"
#include "platform/ui/TerminationSignals.h"
#include "storage/BookOptions.h"
#include "storage/ZEBBook.h"

namespace zeb::test {
namespace {

class SessionEndTest : public ReaderWindowTest {
protected:
    GlobalConfig Stored() const
    {
        GlobalConfig saved = InitialGlobalConfig(0);
        EXPECT_TRUE(LoadGlobalConfig(GlobalConfigPath(folder.Path().string()), {800, 600}, saved));
        return saved;
    }

    int32_t StoredPosition() const
    {
        ZEBBook book;
        EXPECT_EQ(book.Open(bookPath), BookOpenResult::Opened);
        return int32_t(book.Options().GetInteger(OptPosition, 0));
    }
};

TEST_F(SessionEndTest, GlobalCfgNamesTheBookWhileItIsOpen)
{
    WriteBook(60);
    Start(nullptr);
    window->SetStartBook(bookPath);
    WhileReading([&] { EXPECT_EQ(Stored().LastBookFile, bookPath); });
}

TEST_F(SessionEndTest, ATerminationSignalClosesTheReaderAndSavesItsPlacePastAnOpenDialog)
{
    WriteBook(60);
    StartWithBook();
    TerminationSignals termination;
    QObject::connect(&termination, &TerminationSignals::Requested, window.get(),
                     [this] { window->EndSession(); });
    int32_t place = 0;
    bool dialogWasOpen = false;
    WhileReading(
        [&] {
            QTest::keyClick(View(), Qt::Key_End);
            place = Engine().CurrentReadingPosition().Position;
            // The bookmarks dialog waits for the user; the signal comes meanwhile.
            QTimer::singleShot(100, [&] {
                dialogWasOpen = window->Bookmarks()->isVisible();
                std::raise(SIGTERM);
            });
            window->Toolbar()->BookmarksButton()->click();
        },
        [&] { return !window->isVisible(); });
    EXPECT_TRUE(dialogWasOpen);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(Stored().LastBookFile, bookPath);
    EXPECT_EQ(StoredPosition(), place);
    EXPECT_GT(place, Engine().Book().TextStart());
}

// The first close, asked for inside the main loop, only stops it; a second one before the loop
// has returned (the desktop's close button, a signal) closes at once, and the first one, done
// when the loop returns, finds nothing left to do, as does any close after that.
TEST_F(SessionEndTest, ASecondCloseBeforeTheLoopEndsSavesOnlyOnce)
{
    WriteBook(60);
    StartWithBook();
    // "Global.cfg" cannot be written: each save says so, which shows how many there were.
    WhileReading([&] {
        std::filesystem::remove(GlobalConfigPath(folder.Path().string()));
        std::filesystem::create_directory(GlobalConfigPath(folder.Path().string()));
        for (int i = 0; i < 2; ++i) {
            QCloseEvent close;
            QApplication::sendEvent(window.get(), &close);
        }
    });
    QCloseEvent late;
    QApplication::sendEvent(window.get(), &late);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(prompter.messages.size(), 1u);
}

}  // namespace
}  // namespace zeb::test
