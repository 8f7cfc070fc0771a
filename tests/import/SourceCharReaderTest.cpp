#include <gtest/gtest.h>

#include <stdexcept>

#include "ImportTestSupport.h"
#include "import/SourceCharReader.h"
#include "platform/CodePageDecoder.h"
#include "storage/ZEBFile.h"

using namespace zeb;
using namespace zeb::test;

namespace {

struct Read {
    char16_t unit;
    int32_t after;  // the position after the call
    bool operator==(const Read&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Read& r)
{
    return out << std::hex << "U+" << int(r.unit) << std::dec << "@" << r.after;
}

class SourceCharReaderTest : public ::testing::Test {
protected:
    // Opens bytes as the source file.
    ZEBFile& Source(const std::string& bytes)
    {
        WriteBytes(dir_.File("s.txt"), std::vector<uint8_t>(bytes.begin(), bytes.end()));
        file_.Open(dir_.File("s.txt"), FileAccess::Read, 20, 3);
        return file_;
    }

    // Every call from position 0 up to and including the one that gives SourceEnd.
    std::vector<Read> ReadAll(const std::string& bytes, int32_t codePage)
    {
        SourceCharReader reader(Source(bytes), codePage);
        std::vector<Read> reads;
        int32_t position = 0;
        for (size_t guard = 0; guard <= bytes.size() + 1; ++guard) {
            char16_t c = reader.ReadSourceChar(position);
            reads.push_back({c, position});
            if (c == SourceEnd)
                break;
        }
        return reads;
    }

    TempDir dir_;
    ZEBFile file_;
};

TEST_F(SourceCharReaderTest, DecodesOneCodeUnitPerCallAndSkipsEveryByteOrderMark)
{
    struct Case {
        const char* name;
        std::string bytes;
        int32_t codePage;
        std::vector<Read> expected;
    } cases[] = {
        {"empty source", "", 1252, {{SourceEnd, 0}}},
        {"UTF-16LE with BOM and one inside", std::string("\xFF\xFE" "A\0\xFF\xFE" "B\0", 8),
         UnicodeCodePage, {{'A', 4}, {'B', 8}, {SourceEnd, 8}}},
        {"UTF-16LE without BOM", std::string("A\0B\0", 4), UnicodeCodePage,
         {{'A', 2}, {'B', 4}, {SourceEnd, 4}}},
        {"UTF-16LE odd last byte", std::string("A\0B", 3), UnicodeCodePage,
         {{'A', 2}, {0xFFFD, 3}, {SourceEnd, 3}}},
        {"UTF-16LE U+FFFF is no end", std::string("\xFF\xFF" "A\0", 4), UnicodeCodePage,
         {{0xFFFD, 2}, {'A', 4}, {SourceEnd, 4}}},
        {"single byte", "\xC0\xFF" "a", 1251, {{0x0410, 1}, {0x044F, 2}, {'a', 3}, {SourceEnd, 3}}},
        {"lead byte without a trail byte", "\x82 ", 932, {{0xFFFD, 1}, {' ', 2}, {SourceEnd, 2}}},
        {"double byte 932", "\x82\xA0" "a\x8A\xBF", 932,
         {{0x3042, 2}, {'a', 3}, {0x6F22, 5}, {SourceEnd, 5}}},
        {"double byte 936", "\xC4\xE3" "b", 936, {{0x4F60, 2}, {'b', 3}, {SourceEnd, 3}}},
        {"UTF-8 BOM then a short tail", "\xEF\xBB\xBF" "A", 65001, {{'A', 4}, {SourceEnd, 4}}},
        {"UTF-8 BOM inside", "a\xEF\xBB\xBF" "b", 65001, {{'a', 1}, {'b', 5}, {SourceEnd, 5}}},
        {"UTF-8 BOM at the end", "a\xEF\xBB\xBF", 65001, {{'a', 1}, {SourceEnd, 4}}},
        {"UTF-8 outside the BMP", "\xF0\x9F\x98\x80" "A", 65001,
         {{0xD83D, 1}, {0xDE00, 4}, {'A', 5}, {SourceEnd, 5}}},
        {"GB18030 outside the BMP", "\x95\x32\x82\x36", 54936,
         {{0xD840, 1}, {0xDC00, 4}, {SourceEnd, 4}}},
        {"UTF-8 cut off at the end", "A\xE2\x82", 65001, {{'A', 1}, {0xFFFD, 3}, {SourceEnd, 3}}},
        {"UTF-8 U+FFFF is no end", "\xEF\xBF\xBF", 65001, {{0xFFFD, 3}, {SourceEnd, 3}}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ReadAll(c.bytes, c.codePage), c.expected) << c.name;
        file_.Close();
    }
}

TEST_F(SourceCharReaderTest, ReplacesEachMaximalPartOfIllFormedUtf8)
{
    struct Case {
        const char* name;
        std::string bytes;
        std::vector<Read> expected;
    } cases[] = {
        {"two-byte", "\xC3\xA9", {{0x00E9, 2}, {SourceEnd, 2}}},
        {"lone continuation byte", "\x80" "a", {{0xFFFD, 1}, {'a', 2}, {SourceEnd, 2}}},
        {"overlong lead", "\xC0\xAF", {{0xFFFD, 1}, {0xFFFD, 2}, {SourceEnd, 2}}},
        {"overlong three bytes", "\xE0\x80\x80",
         {{0xFFFD, 1}, {0xFFFD, 2}, {0xFFFD, 3}, {SourceEnd, 3}}},
        {"surrogate", "\xED\xA0\x80", {{0xFFFD, 1}, {0xFFFD, 2}, {0xFFFD, 3}, {SourceEnd, 3}}},
        {"above U+10FFFF", "\xF4\x90\x80\x80",
         {{0xFFFD, 1}, {0xFFFD, 2}, {0xFFFD, 3}, {0xFFFD, 4}, {SourceEnd, 4}}},
        {"truncated inside the text", "\xE2\x82" "A", {{0xFFFD, 2}, {'A', 3}, {SourceEnd, 3}}},
        {"truncated four bytes at the end", "a\xF0\x9F\x98", {{'a', 1}, {0xFFFD, 4}, {SourceEnd, 4}}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ReadAll(c.bytes, 65001), c.expected) << c.name;
        file_.Close();
    }
}

TEST_F(SourceCharReaderTest, StepsBackToPositionsJustReadAndRestartsAnywhere)
{
    SourceCharReader reader(Source("\xF0\x9F\x98\x80xy"), 65001);
    int32_t position = 0;
    EXPECT_EQ(reader.ReadSourceChar(position), 0xD83D);
    int32_t low = position;
    EXPECT_EQ(reader.ReadSourceChar(position), 0xDE00);
    position = low;
    EXPECT_EQ(reader.ReadSourceChar(position), 0xDE00);
    EXPECT_EQ(position, 4);
    position = 5;
    EXPECT_EQ(reader.ReadSourceChar(position), u'y');
    position = 0;
    EXPECT_EQ(reader.ReadSourceChar(position), 0xD83D);
    position = 9;
    EXPECT_EQ(reader.ReadSourceChar(position), SourceEnd);
    EXPECT_EQ(position, 9);
}

TEST_F(SourceCharReaderTest, CharactersAcrossDecodingPiecesComeOutWhole)
{
    // Three-byte characters from offset 2, so that one straddles the first 64 KiB boundary.
    std::string text = "ab";
    std::u16string expected = u"ab";
    while (text.size() < 200000) {
        text += "\xE2\x82\xAC";
        expected += u'\u20AC';
    }
    SourceCharReader reader(Source(text), 65001);
    std::u16string decoded;
    int32_t position = 0;
    for (char16_t c; (c = reader.ReadSourceChar(position)) != SourceEnd;) {
        ASSERT_EQ(position < 2 || (position - 2) % 3 == 0, true) << "after " << decoded.size() << " units";
        decoded += c;
    }
    EXPECT_EQ(decoded, expected);
    position = 65534;  // the character that straddles the first boundary
    EXPECT_EQ(reader.ReadSourceChar(position), u'\u20AC');
}

TEST_F(SourceCharReaderTest, KeepsTheShiftStateOfUtf7FromLineToLine)
{
    SourceCharReader reader(Source("+BBEEOA-\n+BBEEOA-"), 65000);
    std::u16string decoded;
    int32_t position = 0;
    for (char16_t c; (c = reader.ReadSourceChar(position)) != SourceEnd;)
        decoded += c;
    EXPECT_EQ(decoded, u"\u0411\u0438\n\u0411\u0438");
}

TEST_F(SourceCharReaderTest, RefusesACodePageItCannotConvert)
{
    EXPECT_THROW(SourceCharReader(Source("x"), 12345), std::invalid_argument);
}

}  // namespace
