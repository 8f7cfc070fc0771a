#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "TestBook.h"
#include "platform/FileIO.h"
#include "platform/LittleEndian.h"
#include "storage/BookHeader.h"
#include "storage/BookOptions.h"
#include "storage/ZEBBook.h"
#include "storage/ZEBBookRecovery.h"
#include "storage/ZEBIOFailure.h"
#include "support/PermissionsBindRoot.h"
#include "support/TempDir.h"

using namespace zeb;
using zeb::test::PermissionsBindRoot;

namespace {

class ZEBBookTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        test::TestBookWriter writer(path);
        writer.Line(u"\tOne two");
        writer.Line(u"three");
        writer.Paragraph().Line(u"\tFour");
        writer.Finish();
        good = test::ReadBytes(path);
    }

    BookOpenResult OpenSpoilt(void (*spoil)(std::vector<uint8_t>&))
    {
        std::vector<uint8_t> bytes = good;
        spoil(bytes);
        std::string spoilt = dir.File("spoilt.book");
        test::WriteBytes(spoilt, bytes);
        BookOpenResult result = book.Open(spoilt);
        EXPECT_EQ(book.IsOpen(), result == BookOpenResult::Opened);
        return result;
    }

    int32_t OptionsOffset() const { return int32_t(LoadU32(good.data() + 36)); }
    // What ties a recovery file to the good book.
    BookIdentity Identity() const
    {
        BookIdentity identity;
        identity.optionsOffset = OptionsOffset();
        std::memcpy(identity.textSignature.data(), good.data() + OptionsOffset() - 16, 16);
        return identity;
    }
    // The book as a save leaves it that stopped right after cutting off the options block,
    // with a recovery file holding the position 77.
    void CutWithRecoveryFile()
    {
        test::WriteBytes(path, std::vector<uint8_t>(good.begin(), good.begin() + OptionsOffset()));
        ZEBFileOptions state;
        state.SetInteger(OptPosition, 77);
        ZEBBookRecovery(path, Identity()).Write(state);
    }

    test::TempDir dir;
    std::string path = dir.File("00000000.book");
    std::vector<uint8_t> good;
    ZEBBook book;
};

TEST_F(ZEBBookTest, OpenLoadsTheIndexesAndTheRange)
{
    ASSERT_EQ(book.Open(path), BookOpenResult::Opened);
    EXPECT_EQ(book.TextStart(), TextStart);
    EXPECT_EQ(book.Parags().Count(), 3);
    EXPECT_EQ(book.Lines().Count(), 4);
    EXPECT_EQ(book.Parags()[2], book.TextEnd());
    EXPECT_EQ(book.Options().GetWideString(OptSourceName, u""), u"source.txt");
    book.Close();
    EXPECT_FALSE(book.IsOpen());
    EXPECT_EQ(book.Parags().Count(), 0);
    EXPECT_EQ(book.TextEnd(), 0);
}

TEST_F(ZEBBookTest, HeaderAndSignatureChecks)
{
    struct Case {
        const char* name;
        void (*spoil)(std::vector<uint8_t>&);
        BookOpenResult result;
    };
    const Case cases[] = {
        {"magic", [](std::vector<uint8_t>& b) { b[3] = 'b'; }, BookOpenResult::NotABook},
        {"text start", [](std::vector<uint8_t>& b) { StoreU32(b.data() + 16, 41); },
         BookOpenResult::NotABook},
        {"paragraph count", [](std::vector<uint8_t>& b) { StoreU32(b.data() + 24, 1); },
         BookOpenResult::NotABook},
        {"huge line count",
         [](std::vector<uint8_t>& b) { StoreU32(b.data() + 32, 0x40000000); },
         BookOpenResult::NotABook},
        {"cut short", [](std::vector<uint8_t>& b) { b.resize(LoadU32(b.data() + 36) - 1); },
         BookOpenResult::NotABook},
        {"options block without room for its signature",
         [](std::vector<uint8_t>& b) { b.resize(LoadU32(b.data() + 36) + 10); },
         BookOpenResult::Corrupted},
        {"text changed", [](std::vector<uint8_t>& b) { b[45] ^= 0x20; }, BookOpenResult::Corrupted},
        {"header signature changed",
         [](std::vector<uint8_t>& b) { b[LoadU32(b.data() + 36) - 1] ^= 1; },
         BookOpenResult::Corrupted},
        {"options changed", [](std::vector<uint8_t>& b) { b[LoadU32(b.data() + 36) + 4] ^= 1; },
         BookOpenResult::Corrupted},
    };
    for (const Case& c : cases)
        EXPECT_EQ(OpenSpoilt(c.spoil), c.result) << c.name;
    EXPECT_EQ(book.Open(dir.File("missing.book")), BookOpenResult::NotABook);
}

TEST_F(ZEBBookTest, BookOfAnEmptySourceIsNoBook)
{
    std::string empty = dir.File("empty.book");
    test::TestBookWriter(empty).Finish();
    EXPECT_EQ(book.Open(empty), BookOpenResult::NotABook);
}

TEST_F(ZEBBookTest, SignedOptionsThatDoNotParseAreCorruption)
{
    // A tree whose item length runs past the file, signed as if it were good.
    ASSERT_EQ(book.Open(path), BookOpenResult::Opened);
    book.Close();
    std::vector<uint8_t> bytes(good.begin(), good.begin() + LoadU32(good.data() + 36));
    test::WriteBytes(path, bytes);
    ZEBFile file;
    file.Open(path, FileAccess::ReadWrite, 16, 1);
    int32_t at = file.Size();
    uint8_t item[] = {0, 0, 0xFF, 0x7F};
    file.Write(at, item, 4);
    file.Sign(at, at + 4);
    file.Close();
    EXPECT_EQ(book.Open(path), BookOpenResult::Corrupted);
}

TEST_F(ZEBBookTest, SaveStateRewritesOnlyTheOptionsBlock)
{
    ASSERT_EQ(book.Open(path), BookOpenResult::Opened);
    book.Bookmarks().Insert(60, u"bookmark");
    book.SaveState({58, 0x8000, false, 2});
    EXPECT_EQ(book.Options().Find(OptBookmarks), nullptr);  // only in the file
    book.Close();

    std::vector<uint8_t> after = test::ReadBytes(path);
    uint32_t optionsOffset = LoadU32(good.data() + 36);
    ASSERT_GT(after.size(), optionsOffset);
    EXPECT_TRUE(std::equal(good.begin(), good.begin() + optionsOffset, after.begin()));

    ASSERT_EQ(book.Open(path), BookOpenResult::Opened);
    const ZEBFileOptions& o = book.Options();
    EXPECT_EQ(o.GetInteger(OptPosition, 0), 58u);
    EXPECT_EQ(o.GetInteger(OptPositionFraction, 0), 0x8000u);
    EXPECT_EQ(o.GetByte(OptFontWidth, 7), 0);
    EXPECT_EQ(o.GetInteger(OptTextFormatting, 0), 2u);
    std::vector<uint16_t> ids;
    for (const auto& child : o.Root()->Children())
        ids.push_back(child->Id());
    EXPECT_EQ(ids, (std::vector<uint16_t>{OptPosition, OptPositionFraction, OptSourceName,
                                          OptSourceSize, OptFontWidth, OptTextFormatting}));
    ASSERT_EQ(book.Bookmarks().Count(), 1);
    EXPECT_EQ(book.Bookmarks()[0].Text, u"bookmark");

    // A shorter block than before leaves no stale bytes behind.
    book.Bookmarks().Clear();
    book.SaveState({40, 0x4000, true, 1});
    book.Close();
    ASSERT_EQ(book.Open(path), BookOpenResult::Opened);
    EXPECT_EQ(book.Bookmarks().Count(), 0);
}

// Ids need not be unique in a stored block; the book keeps the first of each of its own, so
// that what a save writes is what the next opening reads, whatever the lookups in between.
TEST_F(ZEBBookTest, RepeatedStateItemsKeepTheFirstAndASaveComesBack)
{
    const std::string repeats = dir.File("repeats.book");
    ZEBFileOptions stored;
    stored.SetInteger(OptSourceSize, 1);
    ZEBFileOptionsItem* top = stored.Root();
    top->AppendChild(OptPosition).SetInteger(10);
    top->AppendChild(OptPositionFraction).SetInteger(5);
    top->AppendChild(OptPosition).SetInteger(20);
    const uint8_t record[] = {3, 0, 0, 0, 'a', 0};
    for (int i = 0; i < 2; ++i)
        top->AppendChild(OptBookmarks).AppendChild(0).SetValue(record, sizeof record);
    test::TestBookWriter writer(repeats);
    writer.Line(u"\tOne two three");
    writer.Finish(stored);

    ASSERT_EQ(book.Open(repeats), BookOpenResult::Opened);
    EXPECT_EQ(book.Options().GetInteger(OptPositionFraction, 0), 5u);
    EXPECT_EQ(book.Options().GetInteger(OptPosition, 0), 10u);
    EXPECT_EQ(book.Bookmarks().Count(), 1);
    book.SaveState({30, 6, true, 1});
    book.Close();

    ASSERT_EQ(book.Open(repeats), BookOpenResult::Opened);
    EXPECT_EQ(book.Options().GetInteger(OptPosition, 0), 30u);
    EXPECT_EQ(book.Options().GetInteger(OptPositionFraction, 0), 6u);
    EXPECT_EQ(book.Bookmarks().Count(), 1);
}

}  // namespace

namespace {

// What a save writes, and what a reopen shows of it.
struct SavedState {
    int32_t position;
    int32_t fraction;
    bool fontWidth;
    uint8_t formatting;
    int32_t bookmark;  // the position of the one bookmark
    std::u16string bookmarkText;

    bool operator==(const SavedState&) const = default;
};

void Save(ZEBBook& book, const SavedState& s)
{
    book.Bookmarks().Clear();
    book.Bookmarks().Insert(s.bookmark, s.bookmarkText);
    book.SaveState({s.position, s.fraction, s.fontWidth, s.formatting});
}

SavedState Shown(const ZEBBook& book)
{
    const ZEBFileOptions& o = book.Options();
    SavedState s{int32_t(o.GetInteger(OptPosition, 0)), int32_t(o.GetInteger(OptPositionFraction, 0)),
                 o.GetByte(OptFontWidth, 7) != 0, uint8_t(o.GetInteger(OptTextFormatting, 9)), -1, u""};
    if (book.Bookmarks().Count() == 1) {
        s.bookmark = book.Bookmarks()[0].Position;
        s.bookmarkText = book.Bookmarks()[0].Text;
    }
    return s;
}

const SavedState OldState{58, 0x1000, false, 2, 60, u"old"};
const SavedState NewState{45, 0x2000, true, 1, 70, u"new"};

}  // namespace

// The save stops at each of its file changes in turn, as if the program ended there; the book
// always opens again, with the old state or the new one, and no recovery file stays behind.
TEST_F(ZEBBookTest, ASaveStoppedAtAnyFileChangeLeavesTheOldStateOrTheNew)
{
    const std::string recovery = path + ".saving";
    ASSERT_EQ(book.Open(path), BookOpenResult::Opened);
    Save(book, OldState);
    book.Close();
    const std::vector<uint8_t> oldBook = test::ReadBytes(path);
    bool sawOld = false, sawRecovered = false;
    for (int64_t changes = 0;; ++changes) {
        test::WriteBytes(path, oldBook);
        ASSERT_EQ(book.Open(path), BookOpenResult::Opened);
        SetFileChangeBudgetForTesting(changes);
        bool saved = true;
        try {
            Save(book, NewState);
        } catch (const ZEBIOFailure&) {
            saved = false;
        }
        book.Close();  // nothing more reaches the disk
        SetFileChangeBudgetForTesting(-1);

        ASSERT_EQ(book.Open(path), BookOpenResult::Opened) << "stopped after " << changes;
        SavedState shown = Shown(book);
        if (saved) {
            EXPECT_EQ(shown, NewState) << "stopped after " << changes;
        } else {
            EXPECT_TRUE(shown == OldState || shown == NewState) << "stopped after " << changes;
        }
        sawOld |= shown == OldState;
        sawRecovered |= !saved && shown == NewState;
        EXPECT_FALSE(NameExists(recovery)) << "stopped after " << changes;
        EXPECT_FALSE(NameExists(recovery + ".new")) << "stopped after " << changes;
        book.Close();
        if (saved)
            break;
    }
    EXPECT_TRUE(sawOld);
    EXPECT_TRUE(sawRecovered) << "no stop fell between the recovery file and the book's sync";
}

// Only a recovery file that belongs to the book and verifies is ever applied, and only to a
// book whose options block fails its signature; every other one is removed.
TEST_F(ZEBBookTest, ARecoveryFileIsAppliedOnlyWhenItBelongsAndIsNeeded)
{
    const std::string recovery = path + ".saving";
    struct Case {
        const char* name;
        std::function<void(BookIdentity&)> identity;
        bool damageRecovery;
        bool keepBookWhole;
        BookOpenResult result;
        uint32_t position;
    };
    const Case cases[] = {
        {"the book's own, the book cut", [](BookIdentity&) {}, false, false, BookOpenResult::Opened, 77},
        {"the book's own, the book whole", [](BookIdentity&) {}, false, true, BookOpenResult::Opened,
         TextStart},
        {"another book's", [](BookIdentity& b) { b.textSignature[5] ^= 1; }, false, false,
         BookOpenResult::Corrupted, 0},
        {"another options offset", [](BookIdentity& b) { b.optionsOffset += 4; }, false, false,
         BookOpenResult::Corrupted, 0},
        {"a damaged one", [](BookIdentity&) {}, true, false, BookOpenResult::Corrupted, 0},
    };
    for (const Case& c : cases) {
        CutWithRecoveryFile();
        if (c.keepBookWhole)
            test::WriteBytes(path, good);
        BookIdentity identity = Identity();
        c.identity(identity);
        ZEBFileOptions state;
        state.SetInteger(OptPosition, 77);
        ZEBBookRecovery(path, identity).Write(state);
        if (c.damageRecovery) {
            std::vector<uint8_t> r = test::ReadBytes(recovery);
            r[24] ^= 1;
            test::WriteBytes(recovery, r);
        }

        EXPECT_EQ(book.Open(path), c.result) << c.name;
        EXPECT_FALSE(NameExists(recovery)) << c.name;
        book.Close();
        if (c.result == BookOpenResult::Opened) {
            // The book now holds what it showed, with no recovery file beside it.
            ASSERT_EQ(book.Open(path), BookOpenResult::Opened) << c.name;
            EXPECT_EQ(book.Options().GetInteger(OptPosition, 0), c.position) << c.name;
            book.Close();
        }
    }
}


TEST_F(ZEBBookTest, ABookThatMayNotBeWrittenOpensReadOnlyAndIsLeftAsItIs)
{
    ASSERT_EQ(book.Open(path), BookOpenResult::Opened);
    EXPECT_FALSE(book.IsReadOnly());
    book.Close();

    ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
    PermissionsBindRoot permissions;
    if (!PermissionsBindRoot::RefusesWriting(path))
        GTEST_SKIP() << "file permissions cannot be enforced here (root without a way to drop "
                        "CAP_DAC_OVERRIDE)";
    ASSERT_EQ(book.Open(path), BookOpenResult::Opened);
    EXPECT_TRUE(book.IsReadOnly());
    EXPECT_EQ(book.Parags().Count(), 3);
    EXPECT_EQ(book.Options().GetWideString(OptSourceName, u""), u"source.txt");
    Save(book, NewState);
    book.Close();
    EXPECT_EQ(test::ReadBytes(path), good);
    EXPECT_FALSE(NameExists(path + ".saving"));

    // After a save that stopped in the book, the state comes from the recovery file, which
    // stays for when the book can be written again.
    ASSERT_EQ(::chmod(path.c_str(), 0644), 0);
    CutWithRecoveryFile();
    ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
    ASSERT_EQ(book.Open(path), BookOpenResult::Opened);
    EXPECT_TRUE(book.IsReadOnly());
    EXPECT_EQ(book.Options().GetInteger(OptPosition, 0), 77u);
    book.Close();
    EXPECT_TRUE(NameExists(path + ".saving"));
}
