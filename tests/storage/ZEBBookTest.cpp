#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "TestBook.h"
#include "platform/LittleEndian.h"
#include "storage/BookHeader.h"
#include "storage/BookOptions.h"
#include "storage/ZEBBook.h"
#include "support/TempDir.h"

using namespace zeb;

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

}  // namespace
