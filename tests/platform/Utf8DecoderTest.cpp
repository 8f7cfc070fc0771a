// UTF-8 decoding of one piece: each maximal part of an ill-formed sequence is one U+FFFD at its
// first byte, and a sequence cut by the end of a piece waits for the next one.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/CodePageDecoder.h"
#include "platform/Utf8Decoder.h"

using namespace zeb;

namespace {

struct Unit {
    char16_t unit;
    int32_t position;
    bool operator==(const Unit&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Unit& u)
{
    return out << std::hex << "U+" << int(u.unit) << std::dec << "@" << u.position;
}

struct Decoded {
    std::vector<Unit> units;
    int32_t used;
};

// Decodes bytes as a piece at position 100 of a text, from a buffer of exactly their size so
// that the sanitizer build catches a read past the end.
Decoded Decode(const std::string& bytes, bool last)
{
    const int32_t count = int32_t(bytes.size());
    std::vector<uint8_t> data(bytes.begin(), bytes.end());
    std::vector<char16_t> units(size_t(CodePageDecoder::Room(count)));
    std::vector<int32_t> positions(units.size());
    int32_t produced = -1;
    Decoded decoded;
    decoded.used = DecodeUtf8(data.data(), count, 100, last, units.data(), positions.data(),
                              produced);
    for (int32_t i = 0; i < produced; ++i)
        decoded.units.push_back({units[size_t(i)], positions[size_t(i)]});
    return decoded;
}

constexpr char16_t Bad = ReplacementChar;

TEST(DecodeUtf8, GivesOneReplacementForEachMaximalIllFormedPart)
{
    struct Case {
        const char* name;
        std::string bytes;
        std::vector<Unit> expected;
    } cases[] = {
        {"the smallest and largest of each length", "\x7F\xC2\x80\xDF\xBF\xE0\xA0\x80",
         {{0x7F, 100}, {0x80, 101}, {0x7FF, 103}, {0x800, 105}}},
        {"U+10000 and U+10FFFF as surrogate pairs", "\xF0\x90\x80\x80\xF4\x8F\xBF\xBF",
         {{0xD800, 100}, {0xDC00, 101}, {0xDBFF, 104}, {0xDFFF, 105}}},
        {"U+FFFF is no character", "\xEF\xBF\xBF" "a", {{Bad, 100}, {'a', 103}}},
        {"U+FFFE and U+FFFD stay", "\xEF\xBF\xBE\xEF\xBF\xBD", {{0xFFFE, 100}, {0xFFFD, 103}}},
        {"overlong two bytes", "\xC0\x80\xC1\xBF", {{Bad, 100}, {Bad, 101}, {Bad, 102}, {Bad, 103}}},
        {"overlong three bytes", "\xE0\x9F\xBF", {{Bad, 100}, {Bad, 101}, {Bad, 102}}},
        {"overlong four bytes", "\xF0\x8F\xBF\xBF",
         {{Bad, 100}, {Bad, 101}, {Bad, 102}, {Bad, 103}}},
        {"surrogates", "\xED\xA0\x80\xED\xBF\xBF" "a",
         {{Bad, 100}, {Bad, 101}, {Bad, 102}, {Bad, 103}, {Bad, 104}, {Bad, 105}, {'a', 106}}},
        {"the last code point before the surrogates", "\xED\x9F\xBF", {{0xD7FF, 100}}},
        {"above U+10FFFF", "\xF4\x90\x80\x80",
         {{Bad, 100}, {Bad, 101}, {Bad, 102}, {Bad, 103}}},
        {"F5 to FF start nothing", "\xF5\xF6\xF7\xF8\xF9\xFA\xFB\xFC\xFD\xFE\xFF",
         {{Bad, 100}, {Bad, 101}, {Bad, 102}, {Bad, 103}, {Bad, 104}, {Bad, 105}, {Bad, 106},
          {Bad, 107}, {Bad, 108}, {Bad, 109}, {Bad, 110}}},
        {"F5 as the lead of four bytes", "\xF5\x80\x80\x80",
         {{Bad, 100}, {Bad, 101}, {Bad, 102}, {Bad, 103}}},
        {"C0 and C1 alone", "\xC0" "a\xC1", {{Bad, 100}, {'a', 101}, {Bad, 102}}},
        {"stray continuation bytes", "\x80\xBF" "a\x8F",
         {{Bad, 100}, {Bad, 101}, {'a', 102}, {Bad, 103}}},
        {"cut in the middle", "\xC3" "a\xE2\x82" "b\xF0\x9F\x98" "c",
         {{Bad, 100}, {'a', 101}, {Bad, 102}, {'b', 104}, {Bad, 105}, {'c', 108}}},
        {"cut by the next lead byte", "\xE2\x82\xE2\x82\xAC", {{Bad, 100}, {0x20AC, 102}}},
        {"cut at the end of the text", "a\xF0\x9F\x98", {{'a', 100}, {Bad, 101}}},
        {"a lead alone at the end of the text", "a\xE2", {{'a', 100}, {Bad, 101}}},
        {"a bad second byte at the end of the text", "\xE0\x80", {{Bad, 100}, {Bad, 101}}},
    };
    for (const Case& c : cases) {
        Decoded decoded = Decode(c.bytes, true);
        EXPECT_EQ(decoded.units, c.expected) << c.name;
        EXPECT_EQ(decoded.used, int32_t(c.bytes.size())) << c.name;
    }
}

TEST(DecodeUtf8, LeavesASequenceCutByTheEndOfAPieceForTheNext)
{
    struct Case {
        const char* name;
        std::string bytes;
        std::vector<Unit> expected;
        int32_t used;
    } cases[] = {
        {"a lead alone", "ab\xE2", {{'a', 100}, {'b', 101}}, 2},
        {"two of three bytes", "a\xE2\x82", {{'a', 100}}, 1},
        {"three of four bytes", "\xF0\x9F\x98", {}, 0},
        {"whole at the end", "a\xE2\x82\xAC", {{'a', 100}, {0x20AC, 101}}, 4},
        // Nothing the next piece brings could make these whole.
        {"a bad second byte", "a\xE0\x80", {{'a', 100}, {Bad, 101}, {Bad, 102}}, 3},
        {"a lone continuation byte", "a\x80", {{'a', 100}, {Bad, 101}}, 2},
        {"a byte that starts nothing", "a\xF8", {{'a', 100}, {Bad, 101}}, 2},
    };
    for (const Case& c : cases) {
        Decoded decoded = Decode(c.bytes, false);
        EXPECT_EQ(decoded.units, c.expected) << c.name;
        EXPECT_EQ(decoded.used, c.used) << c.name;
    }
}

}  // namespace
