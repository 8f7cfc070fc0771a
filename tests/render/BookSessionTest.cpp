// Opening and closing books through the session: the messages, the saved position and
// fraction, the book's own settings and the bookmarks across a reopen.
#include <sys/stat.h>

#include <cerrno>
#include <chrono>
#include <thread>
#include <string>
#include <vector>

#include "EngineFixture.h"
#include "platform/FileIO.h"
#include "platform/LittleEndian.h"
#include "render/BookSession.h"
#include "storage/BookOptions.h"
#include "storage/ZEBIOFailure.h"
#include "support/FakePrompter.h"
#include "support/PermissionsBindRoot.h"

namespace zeb::test {
namespace {

class BookSessionTest : public EngineTest {
protected:
    BookSessionTest()
    {
        ApplySettingsNow(stored);
        session.SetSaveSettings([this] { ++settingsSaves; });
        // Every message of the session is an error box with the standard caption.
        prompter.onMessage = [](const FakePrompter::Shown& shown) {
            EXPECT_EQ(shown.caption, "");
            EXPECT_EQ(shown.icon, PromptIcon::Error);
            EXPECT_EQ(shown.buttons, PromptButtons::Ok);
        };
    }

    // 60 paragraphs of three lines each (Full layout: 27 + 21 + 27 pixels).
    void WriteBook()
    {
        for (int i = 0; i < 60; ++i) {
            starts.push_back(book.Paragraph().Position());
            book.Line(u"\tParagraph " + std::u16string(size_t(i % 5 + 1), u'a') +
                      u" of the book with words enough for three lines of the view we use "
                      u"in these tests, wrapped at 380 pixels");
        }
        book.Finish();
    }

    std::vector<uint16_t> RootIds() const
    {
        std::vector<uint16_t> ids;
        for (const auto& child : engine.Book().Options().Root()->Children())
            ids.push_back(child->Id());
        return ids;
    }

    std::string Path() const { return dir.File("00000001.book"); }

    ReaderSettings stored = TestSettings(FormattingFull);
    FakePrompter prompter;
    BookSession session{engine, options, stored, prompter};
    int settingsSaves = 0;
    std::vector<int32_t> starts;
};

TEST_F(BookSessionTest, FreshBookShowsItsStartAQuarterViewDown)
{
    WriteBook();
    session.OpenBook(Path());
    EXPECT_TRUE(prompter.messages.empty());
    ASSERT_FALSE(engine.ScreenLines().empty());
    EXPECT_EQ(engine.ScreenLines()[0].Line->Start, TextStart);
    EXPECT_EQ(engine.ScreenLines()[0].Line->Y, 300 / 4);
    EXPECT_EQ(session.Source().Name, u"source.txt");
    EXPECT_EQ(session.Path(), Path());
}

TEST_F(BookSessionTest, ReopenRestoresAnchorAndFractionAfterTheViewChanged)
{
    WriteBook();
    session.OpenBook(Path());
    engine.SetPosition(starts[30] + 100, 120);  // a line inside paragraph 30
    const ZEBRenderLineObject& anchor = *engine.ScreenLines()[0].Line;
    int32_t anchorStart = anchor.Start;
    int32_t anchorY = anchor.Y;
    ASSERT_GT(anchorY, 0);
    session.CloseBook();
    EXPECT_EQ(settingsSaves, 2);  // opening closed the (absent) book first
    EXPECT_TRUE(engine.Blocks().empty());
    EXPECT_FALSE(engine.Book().IsOpen());
    EXPECT_EQ(session.Path(), "");

    host.size = {400, 500};
    session.OpenBook(Path());
    int32_t fraction = anchorY * 65536 / 300;
    EXPECT_EQ(engine.Book().Options().GetInteger(OptPositionFraction, 0), uint32_t(fraction));
    const ZEBRenderLineObject* restored = nullptr;
    for (const ZEBRenderScreenLine& s : engine.ScreenLines())
        if (s.Line->Start == anchorStart)
            restored = s.Line;
    ASSERT_NE(restored, nullptr);
    const int32_t y = (fraction * 500 + 32768) >> 16;
    EXPECT_EQ(restored->Y, y);

    // At the same size the top line stays where it was, however often the book is reopened.
    const int32_t topStart = engine.ScreenLines()[0].Line->Start;
    const int32_t topY = engine.ScreenLines()[0].Line->Y;
    ASSERT_GT(topY, 0);
    for (int i = 0; i < 5; ++i) {
        session.CloseBook();
        session.OpenBook(Path());
        ASSERT_FALSE(engine.ScreenLines().empty());
        EXPECT_EQ(engine.ScreenLines()[0].Line->Start, topStart);
        EXPECT_EQ(engine.ScreenLines()[0].Line->Y, topY);
    }
}

TEST_F(BookSessionTest, CloseRewritesOnlyTheOptionsBlockKeepingTheImportOrder)
{
    WriteBook();
    std::vector<uint8_t> before = ReadBytes(Path());
    session.OpenBook(Path());
    options.SetTextFormatting(FormattingOriginal);
    engine.AddBookmark();
    session.CloseBook();

    std::vector<uint8_t> after = ReadBytes(Path());
    BookHeader h;
    std::memcpy(&h.optionsOffset, before.data() + 36, 4);
    ASSERT_GE(after.size(), h.optionsOffset);
    EXPECT_TRUE(std::equal(before.begin(), before.begin() + h.optionsOffset, after.begin()));

    session.OpenBook(Path());
    EXPECT_EQ(RootIds(), (std::vector<uint16_t>{OptPosition, OptPositionFraction, OptSourceName,
                                                OptSourceSize, OptFontWidth, OptTextFormatting}));
    // The book's own formatting came back with it and chose the source line index.
    EXPECT_EQ(options.Settings().TextFormatting, FormattingOriginal);
    EXPECT_FALSE(engine.Metrics().FullFormatting);
    EXPECT_EQ(engine.Book().Bookmarks().Count(), 1);
}

TEST_F(BookSessionTest, BookmarksSurviveAReopenInPositionOrder)
{
    WriteBook();
    session.OpenBook(Path());
    for (int k : {40, 10, 25, 10}) {
        engine.SetPosition(starts[k], 0);
        engine.AddBookmark();
    }
    ASSERT_EQ(engine.Book().Bookmarks().Count(), 3);
    session.CloseBook();
    session.OpenBook(Path());
    const ZEBBookmark& marks = engine.Book().Bookmarks();
    ASSERT_EQ(marks.Count(), 3);
    EXPECT_EQ(marks[0].Position, starts[10]);
    EXPECT_EQ(marks[1].Position, starts[25]);
    EXPECT_EQ(marks[2].Position, starts[40]);
    EXPECT_EQ(marks[0].Text.substr(0, 16), u"Paragraph a of t");
    EXPECT_EQ(engine.Book().Options().Find(OptBookmarks), nullptr);  // taken out of the tree

    // Deleting them all leaves no bookmark item in the file.
    engine.Book().Bookmarks().Clear();
    session.CloseBook();
    ZEBBook reread;
    ASSERT_EQ(reread.Open(Path()), BookOpenResult::Opened);
    EXPECT_EQ(reread.Bookmarks().Count(), 0);
}

TEST_F(BookSessionTest, BadFilesAreReportedAndLeaveNoBookOpen)
{
    WriteBook();
    session.OpenBook(Path());
    std::vector<uint8_t> good = ReadBytes(Path());
    struct Case {
        const char* name;
        void (*spoil)(std::vector<uint8_t>&);
        const char* message;
    };
    const Case cases[] = {
        {"counts that do not add up", [](std::vector<uint8_t>& b) { b[24] += 1; }, NotABookMessage},
        {"text byte changed", [](std::vector<uint8_t>& b) { b[50] ^= 1; }, CorruptedBookMessage},
        {"options signature changed", [](std::vector<uint8_t>& b) { b.back() ^= 1; },
         CorruptedBookMessage},
        {"not there", [](std::vector<uint8_t>& b) { b.clear(); }, NotABookMessage},
    };
    for (const Case& c : cases) {
        std::string path = dir.File(std::string(c.name) + ".book");
        std::vector<uint8_t> bytes = good;
        c.spoil(bytes);
        if (!bytes.empty())
            WriteBytes(path, bytes);
        prompter.messages.clear();
        session.OpenBook(path);
        EXPECT_EQ(prompter.MessageTexts(), std::vector<std::string>{c.message}) << c.name;
        EXPECT_FALSE(engine.Book().IsOpen()) << c.name;
        EXPECT_TRUE(engine.Blocks().empty()) << c.name;
        EXPECT_EQ(session.Path(), path) << c.name;  // still recorded as the last book
    }
}

TEST_F(BookSessionTest, TextCheckedLaterShowsTheBookAndClosesItUnwrittenWhenItFails)
{
    WriteBook();
    session.SetCheckTextLater(true);
    std::vector<uint8_t> bytes = ReadBytes(Path());
    struct Case {
        const char* name;
        size_t spoilt;  // the byte changed, or none
        bool stays;
    } cases[] = {{"good book", 0, true},
                 {"text byte changed", 50, false},
                 {"line table byte changed", LoadU32(&bytes[28]) + 5, false}};
    for (const Case& c : cases) {
        std::string path = dir.File(std::string(c.name) + ".book");
        std::vector<uint8_t> spoilt = bytes;
        if (c.spoilt)
            spoilt[c.spoilt] ^= 1;
        WriteBytes(path, spoilt);
        prompter.messages.clear();
        session.OpenBook(path);
        // Shown at once, checked meanwhile.
        EXPECT_TRUE(prompter.messages.empty()) << c.name;
        EXPECT_FALSE(engine.ScreenLines().empty()) << c.name;
        for (int i = 0; i < 5000 && session.TextCheckPending(); ++i) {
            session.FinishTextCheck();
            if (session.TextCheckPending())
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        EXPECT_FALSE(session.TextCheckPending()) << c.name;
        EXPECT_EQ(engine.Book().IsOpen(), c.stays) << c.name;
        EXPECT_EQ(prompter.MessageTexts(),
                  c.stays ? std::vector<std::string>{} : std::vector<std::string>{CorruptedBookMessage})
            << c.name;
        if (!c.stays) {
            EXPECT_TRUE(engine.Blocks().empty()) << c.name;
            EXPECT_EQ(session.Path(), path) << c.name;
            session.CloseBook();
            EXPECT_EQ(ReadBytes(path), spoilt) << c.name << ": nothing of a damaged book is written";
        }
    }
}

TEST_F(BookSessionTest, ClosingWhileTheTextIsCheckedGivesTheCheckUp)
{
    WriteBook();
    session.SetCheckTextLater(true);
    session.OpenBook(Path());
    session.CloseBook();
    EXPECT_FALSE(session.TextCheckPending());
    EXPECT_FALSE(engine.Book().IsOpen());
    EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(BookSessionTest, EachSaveIsTriedWhateverBecameOfTheOtherAndTheBookIsReleased)
{
    WriteBook();
    const struct {
        const char* name;
        bool settingsFail, bookFails;
        int paragraph;  // where the book is left
    } cases[] = {
        {"the settings fail", true, false, 10},
        {"the book fails", false, true, 20},
        {"both fail", true, true, 30},
    };
    for (const auto& c : cases) {
        session.OpenBook(Path());
        engine.SetPosition(starts[size_t(c.paragraph)], 0);
        const uint32_t position = uint32_t(engine.CurrentReadingPosition().Position);
        const int triedBefore = settingsSaves;
        session.SetSaveSettings([&] {
            ++settingsSaves;
            if (c.settingsFail)
                throw ZEBIOFailure("write", "Global.cfg", ENOSPC);
        });
        if (c.bookFails)
            SetFileChangeBudgetForTesting(0);
        try {
            session.CloseBook();
            ADD_FAILURE() << c.name << ": no failure passed on";
        } catch (const ZEBIOFailure& failure) {
            EXPECT_EQ(failure.Path() == "Global.cfg", c.settingsFail) << c.name;  // the first one
        }
        SetFileChangeBudgetForTesting(-1);
        EXPECT_EQ(settingsSaves, triedBefore + 1) << c.name;
        EXPECT_FALSE(engine.Book().IsOpen()) << c.name;
        EXPECT_TRUE(engine.Blocks().empty()) << c.name;
        EXPECT_EQ(session.Path(), "") << c.name;

        ZEBBook reread;
        ASSERT_EQ(reread.Open(Path()), BookOpenResult::Opened) << c.name;
        EXPECT_EQ(reread.Options().GetInteger(OptPosition, 0) == position, !c.bookFails) << c.name;
        session.SetSaveSettings([this] { ++settingsSaves; });
    }
}

TEST_F(BookSessionTest, OpeningGoesOnAfterAFailedSaveAndReportsIt)
{
    WriteBook();
    session.OpenBook(Path());
    session.SetSaveSettings([] { throw ZEBIOFailure("write", "Global.cfg", ENOSPC); });
    session.OpenBook(Path());
    EXPECT_EQ(prompter.MessageTexts(),
              std::vector<std::string>{std::string(StateNotSavedMessage) +
                                       "cannot write Global.cfg: No space left on device"});
    EXPECT_TRUE(engine.Book().IsOpen());
    EXPECT_FALSE(engine.ScreenLines().empty());
    EXPECT_EQ(session.Path(), Path());
}

TEST_F(BookSessionTest, StoredFractionOutsideTheViewIsKeptInIt)
{
    for (int i = 0; i < 400; ++i)
        book.Paragraph().Line(u"\tline");
    ZEBFileOptions stored;
    stored.SetInteger(OptPosition, uint32_t(TextStart));
    stored.SetInteger(OptPositionFraction, 0x7FFFFFFF);
    book.Finish(stored);
    session.OpenBook(Path());
    ASSERT_FALSE(engine.Blocks().empty());
    EXPECT_LE(engine.Blocks().size(), 40u);  // the band, not the book
    EXPECT_EQ(engine.Blocks()[0]->FirstLine().Y, 300);
}

// A book on a read-only disc or in a folder of another user still opens; the user is told once
// that its place will not be kept, instead of finding out at the next start.
TEST_F(BookSessionTest, AReadOnlyBookIsReadAndTheUserToldOnceThatNothingIsSaved)
{
    WriteBook();
    const std::vector<uint8_t> before = ReadBytes(Path());
    ASSERT_EQ(::chmod(Path().c_str(), 0444), 0);
    PermissionsBindRoot permissions;
    if (!PermissionsBindRoot::RefusesWriting(Path()))
        GTEST_SKIP() << "file permissions cannot be enforced here";
    prompter.onMessage = [](const FakePrompter::Shown& shown) {
        EXPECT_EQ(shown.icon, PromptIcon::Warning);
    };
    session.OpenBook(Path());
    ASSERT_TRUE(engine.Book().IsOpen());
    EXPECT_EQ(prompter.MessageTexts(), std::vector<std::string>{ReadOnlyBookMessage});
    engine.SetPosition(starts[30], 0);
    session.CloseBook();
    EXPECT_EQ(prompter.messages.size(), 1u) << "nothing more at the close";
    EXPECT_EQ(ReadBytes(Path()), before);
}

}  // namespace
}  // namespace zeb::test
