// The reading of a book without any window: opening, the moves, bookmarks and the saved place,
// the speed and formatting commands, search and auto-scroll under the main loop.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <gtest/gtest.h>

#include "TestBook.h"
#include "reader/BookReader.h"
#include "storage/BookOptions.h"
#include "storage/ZEBBook.h"
#include "support/FakePrompter.h"
#include "support/TempDir.h"

namespace zeb::test {
namespace {

// A 400 x 300 view that only counts what it is asked to do.
class CountingView : public ZEBRenderHost, public ZEBViewSurface {
public:
    ViewSize ViewSizeNow() const override { return {400, 300}; }
    void RepaintView() override { ++repaints; }
    void PositionChanged() override {}
    void ShiftAndPaint(int32_t) override {}
    void PaintRows(ViewRows) override {}
    void RepaintAll() override { ++repaints; }

    int repaints = 0;
};

ReaderSettings Settings()
{
    ReaderSettings s = InitialReaderSettings();
    for (FontProfile& p : s.Profiles) {
        p.FontName = "DejaVu Sans";
        p.FontSize = 12;
    }
    s.TextMovement = false;  // "Jump": moves end before the command returns
    return s;
}

class BookReaderTest : public ::testing::Test {
protected:
    BookReaderTest() : bookPath(dir.File("00000001.book"))
    {
        TestBookWriter book(bookPath);
        for (int i = 0; i < 80; ++i) {
            book.Paragraph();
            book.Line(u"\tParagraph " + QString::number(i).toStdU16String() +
                      (i == 57 ? u" holds the golden key" : u" holds a plain word") +
                      u" among more words than one line of the view can take.");
        }
        book.Finish();
        Start();
    }

    void Start()
    {
        bookChanges = 0;
        reader = std::make_unique<BookReader>(options, stored, view, view, prompter);
        reader->SetReports({.BookChanged = [this] { ++bookChanges; },
                            .PositionChanged = [this] { ++positionChanges; },
                            .Search = [this](FindInBook::Outcome outcome, double) {
                                outcomes.push_back(outcome);
                            }});
        reader->LayoutChanged(1);
        options.SetHandler(SettingsChanged, [this] { reader->SettingsChanged(); });
    }

    // Opens the book and lets its deferred text check finish.
    void Open()
    {
        reader->Open(bookPath);
        WaitFor([&] { return bookChanges >= 2; });
    }

    static void WaitFor(const std::function<bool()>& done)
    {
        QElapsedTimer guard;
        guard.start();
        while (!done() && guard.elapsed() < 5000)
            QCoreApplication::processEvents();
    }

    int32_t Top() const { return reader->Engine().CurrentAnchor().Position; }

    TempDir dir;
    std::string bookPath;
    ReaderSettings stored = Settings();
    ZEBOptions options{Settings()};
    CountingView view;
    FakePrompter prompter;
    std::unique_ptr<BookReader> reader;
    int bookChanges = 0;
    int positionChanges = 0;
    std::vector<FindInBook::Outcome> outcomes;
};

TEST_F(BookReaderTest, OpensAndMovesThroughTheBookWithoutAWindow)
{
    Open();
    ASSERT_NE(reader->OpenBook(), nullptr);
    ASSERT_TRUE(reader->Source());
    EXPECT_EQ(bookChanges, 2) << "opened, then the text check ended";
    EXPECT_TRUE(prompter.messages.empty());

    reader->GoToTop();
    const int32_t top = Top();
    reader->PageDown();
    const int32_t paged = Top();
    EXPECT_GT(paged, top);
    reader->LineDown();
    EXPECT_GT(Top(), paged);
    reader->LineUp();
    reader->PageUp();
    EXPECT_EQ(Top(), top);
    reader->GoToBottom();
    EXPECT_GT(*reader->Gauge().Tenths, 900);
    EXPECT_GT(positionChanges, 0);
}

TEST_F(BookReaderTest, TheLibraryClosingTheBookSavesItsPlaceAndBookmarks)
{
    Open();
    reader->GoTo(reader->Engine().Book().Parags()[40]);
    const int32_t place = Top();
    reader->AddBookmark();
    reader->CloseBook();
    EXPECT_EQ(reader->OpenBook(), nullptr);
    EXPECT_FALSE(reader->Source());
    EXPECT_EQ(bookChanges, 3) << "the close is reported";

    Start();
    Open();
    EXPECT_EQ(Top(), place);
    EXPECT_EQ(reader->Engine().Book().Bookmarks().Count(), 1);
}

TEST_F(BookReaderTest, SpeedStaysInItsRangeAndOriginalFormattingComesBack)
{
    options.SetSpeedMode(true);
    options.SetLinesPerSecond(500);
    reader->Faster(+1);
    EXPECT_EQ(options.Settings().LinesPerSecond, 500);
    reader->Faster(-1);
    EXPECT_EQ(options.Settings().LinesPerSecond, 499);
    options.SetSpeedMode(false);
    options.SetCharsPerSecond(1);
    reader->Faster(-1);
    EXPECT_EQ(options.Settings().CharsPerSecond, 1);

    options.SetTextFormatting(FormattingFull);
    reader->ShowOriginal(true);
    EXPECT_EQ(options.Settings().TextFormatting, FormattingOriginal);
    EXPECT_FALSE(options.Settings().FontWidth);
    reader->ShowOriginal(false);
    EXPECT_EQ(options.Settings().TextFormatting, FormattingFull);
    EXPECT_TRUE(options.Settings().FontWidth);
}

TEST_F(BookReaderTest, FindShowsTheMatchAndReportsHowItEnded)
{
    Open();
    reader->GoToTop();
    reader->Find(u"GOLDEN KEY", false, BookSearch::Direction::Forward);
    WaitFor([&] { return !reader->Finding(); });
    ASSERT_FALSE(outcomes.empty());
    EXPECT_EQ(outcomes.back(), FindInBook::Outcome::Found);
    ASSERT_TRUE(reader->Engine().Highlight());
    EXPECT_EQ(reader->Engine().Book().Parags().FindIndex(
                  KeyPosition(reader->Engine().Highlight()->first)),
              57);

    reader->Find(u"no such words", false, BookSearch::Direction::Forward);
    WaitFor([&] { return !reader->Finding(); });
    EXPECT_EQ(outcomes.back(), FindInBook::Outcome::NotFound);
}

TEST_F(BookReaderTest, AutoScrollMovesTheTextWhileTheMainLoopRuns)
{
    Open();
    reader->GoToTop();
    options.SetSpeedMode(true);
    options.SetLinesPerSecond(200);
    const ViewAnchor before = reader->Engine().CurrentAnchor();
    QTimer::singleShot(0, [&] { reader->ToggleAutoScroll(); });
    QTimer::singleShot(300, [&] { reader->StopLoop(); });
    reader->RunLoop();
    EXPECT_FALSE(reader->LoopRunning());
    const ViewAnchor after = reader->Engine().CurrentAnchor();
    EXPECT_TRUE(after.Position > before.Position || after.Y < before.Y)
        << "the text moved up a pixel at a time";
    EXPECT_GT(reader->AutoScroller().Running().Steps, 20);
    EXPECT_TRUE(options.Settings().AutoScrollActive);
    reader->StopAutoScroll();
    EXPECT_FALSE(options.Settings().AutoScrollActive);
}

// A power cut loses little: the place is written a few seconds after the text comes to rest,
// not only when the book closes.
TEST_F(BookReaderTest, ThePlaceIsWrittenSoonAfterTheTextComesToRest)
{
    Open();
    reader->GoTo(reader->Engine().Book().Parags()[40]);
    const int32_t place = reader->Engine().CurrentReadingPosition().Position;
    auto stored = [&] {
        ZEBBook book;
        EXPECT_EQ(book.Open(bookPath), BookOpenResult::Opened);
        return int32_t(book.Options().GetInteger(OptPosition, 0));
    };
    EXPECT_NE(stored(), place);
    WaitFor([&] { return stored() == place; });
    EXPECT_EQ(stored(), place);
}

}  // namespace
}  // namespace zeb::test
