#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/LittleEndian.h"
#include "storage/BookHeader.h"
#include "storage/ZEBFile.h"
#include "support/TempDir.h"

using namespace zeb;

namespace {

// A header whose regions add up for a text stream of 10 bytes, 3 paragraph and 4 line entries.
BookHeader Consistent()
{
    BookHeader h;
    h.paragTableOffset = 50;
    h.paragCount = 3;
    h.lineTableOffset = 62;
    h.lineCount = 4;
    h.optionsOffset = 94;
    return h;
}

}  // namespace

TEST(BookHeader, WritesTheExactLayoutAndReadsItBack)
{
    test::TempDir dir;
    ZEBFile file;
    file.Open(dir.File("b"), FileAccess::CreateNew, 12, 2);
    Consistent().Write(file);
    file.Close();
    std::vector<uint8_t> bytes = test::ReadBytes(dir.File("b"));
    ASSERT_EQ(bytes.size(), 40u);
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 16), std::string("ZEB Book Reader\0", 16));
    const uint32_t fields[] = {40, 50, 3, 62, 4, 94};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(LoadU32(bytes.data() + 16 + 4 * i), fields[i]) << "field " << i;

    file.Open(dir.File("b"), FileAccess::Read, 12, 2);
    BookHeader back = BookHeader::Read(file);
    EXPECT_EQ(back.magic, BookHeader::BookMagic);
    EXPECT_EQ(back.optionsOffset, 94u);
    EXPECT_EQ(back.lineCount, 4u);
}

TEST(BookHeader, IsBookChecksEveryRule)
{
    struct Case {
        const char* what;
        void (*change)(BookHeader&);
        int64_t fileSize;
        bool book;
    } cases[] = {
        {"consistent", [](BookHeader&) {}, 94, true},
        {"longer file", [](BookHeader&) {}, 1000, true},
        {"file shorter than the options offset", [](BookHeader&) {}, 93, false},
        {"magic first byte", [](BookHeader& h) { h.magic[0] = 'z'; }, 94, false},
        {"magic terminator", [](BookHeader& h) { h.magic[15] = ' '; }, 94, false},
        {"text start", [](BookHeader& h) { h.textStart = 41; }, 94, false},
        {"one paragraph entry", [](BookHeader& h) { h.paragCount = 1; h.paragTableOffset = 54; }, 94, false},
        {"empty text stream", [](BookHeader& h) { h.paragTableOffset = 40; h.lineTableOffset = 52; h.optionsOffset = 84; }, 94, false},
        {"tables do not meet", [](BookHeader& h) { h.lineTableOffset = 66; }, 94, false},
        {"options not after the signature", [](BookHeader& h) { h.optionsOffset = 78; }, 94, false},
        // 4 x 0x40000001 wraps to 4 in 32 bits; the sum must not pass.
        {"count that wraps", [](BookHeader& h) { h.paragCount = 0x40000001u; h.lineTableOffset = 54; h.optionsOffset = 86; }, 0x7FFFFFFF, false},
        {"line count that wraps", [](BookHeader& h) { h.lineCount = 0x40000004u; }, 0x7FFFFFFF, false},
    };
    for (const Case& c : cases) {
        BookHeader h = Consistent();
        c.change(h);
        EXPECT_EQ(h.IsBook(c.fileSize), c.book) << c.what;
    }
}

TEST(BookHeader, ShortOrEmptyFileIsNoBook)
{
    test::TempDir dir;
    for (size_t size : {0, 16, 39}) {
        std::vector<uint8_t> bytes(BookHeader::BookMagic.begin(), BookHeader::BookMagic.end());
        bytes.resize(size, 0);
        test::WriteBytes(dir.File("short"), bytes);
        ZEBFile file;
        file.Open(dir.File("short"), FileAccess::Read, 12, 2);
        EXPECT_FALSE(BookHeader::Read(file).IsBook(file.Size())) << size;
    }
}
