#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "import/LineEndScanner.h"
#include "import/SourceCharReader.h"
#include "import/ZEBCodepage.h"
#include "platform/CodePageDecoder.h"
#include "storage/ZEBFile.h"
#include "support/TempDir.h"

using namespace zeb;
using namespace zeb::test;

namespace {

// The positions after every LF, read one character at a time.
std::vector<int32_t> DecodedLineEnds(ZEBFile& source, int32_t codePage)
{
    SourceCharReader reader(source, codePage);
    std::vector<int32_t> ends;
    int32_t position = 0;
    for (char16_t c; (c = reader.ReadSourceChar(position)) != SourceEnd;) {
        if (c == u'\n')
            ends.push_back(position);
    }
    return ends;
}

std::vector<int32_t> ScannedLineEnds(ZEBFile& source, int32_t codePage)
{
    SourceCharReader reader(source, codePage);
    LineEndScanner scanner(source, reader, codePage);
    std::vector<int32_t> ends;
    EXPECT_FALSE(scanner.Scan(0, [&](int32_t after) {
        ends.push_back(after);
        return true;
    }));
    return ends;
}

// Texts where an LF byte stands where a character's further bytes could: after every byte
// value, after every pair of bytes above 0x7F, at odd and even offsets, cut off at the end,
// behind byte order marks, and at random among the bytes around it.
std::vector<std::string> TrickyTexts()
{
    std::vector<std::string> texts;
    std::string afterEveryByte, afterEveryPair;
    for (int b = 0; b < 256; ++b)
        afterEveryByte += std::string(1, char(b)) + "\n";
    for (int a = 0x80; a < 256; a += 3)
        for (int b = 0x20; b < 256; b += 7)
            afterEveryPair += std::string{char(a), char(b), '\n'};
    texts.push_back(afterEveryByte);
    texts.push_back("x" + afterEveryByte);
    texts.push_back(afterEveryPair);
    texts.push_back("\xEF\xBB\xBF\n\xFF\xFE\n\x00\x0A\x00\n");
    texts.push_back(std::string("a\n\0\n\0b\n", 7));
    texts.push_back("\x81\n\x8F\xA1\n\x81\x30\x81\n\xE3\x81");
    texts.push_back("+AGEAYgBj-\n+AGE\n~{<:Ky2;S{#,~}\n\x1B$B$\"\n\x1B(B\n");
    std::mt19937 random(7);
    std::string noise;
    for (int k = 0; k < 20000; ++k) {
        int r = int(random() % 8);
        noise += r == 0 ? '\n' : r == 1 ? '\0' : char(random() % 256);
    }
    texts.push_back(noise);
    return texts;
}

TEST(LineEndScannerTest, FindsTheLineEndsOfDecodingInEveryCodePage)
{
    ZEBCodepage catalogue;
    catalogue.BuildCatalogue();
    TempDir dir;
    const std::vector<std::string> texts = TrickyTexts();
    for (size_t t = 0; t < texts.size(); ++t) {
        const std::string path = dir.File("text" + std::to_string(t));
        WriteBytes(path, std::vector<uint8_t>(texts[t].begin(), texts[t].end()));
        // Clusters of 16 bytes: every search crosses many of them.
        ZEBFile source;
        source.Open(path, FileAccess::Read, 4, 3);
        for (int32_t k = 0; k < catalogue.Count(); ++k) {
            const int32_t codePage = catalogue.Entry(k)->codePage;
            EXPECT_EQ(ScannedLineEnds(source, codePage), DecodedLineEnds(source, codePage))
                << "code page " << codePage << ", text " << t;
        }
    }
}

TEST(LineEndScannerTest, SearchesBytesWhereAnLfByteIsAlwaysAnLf)
{
    TempDir dir;
    WriteBytes(dir.File("t"), {'a', '\n'});
    ZEBFile source;
    source.Open(dir.File("t"), FileAccess::Read, 20, 3);
    for (int32_t codePage : {1252, 866, 37, 65001, UnicodeCodePage, 932, 54936}) {
        SourceCharReader reader(source, codePage);
        EXPECT_TRUE(LineEndScanner(source, reader, codePage).SearchesBytes()) << codePage;
    }
    for (int32_t codePage : {65000, 50220, 52936}) {
        SourceCharReader reader(source, codePage);
        EXPECT_FALSE(LineEndScanner(source, reader, codePage).SearchesBytes()) << codePage;
    }
}

TEST(LineEndScannerTest, StopsWhereTheCallerHasEnoughAndGoesOnFromThere)
{
    TempDir dir;
    WriteBytes(dir.File("t"), {'a', '\n', 'b', '\n', 'c', '\n', 'd'});
    ZEBFile source;
    source.Open(dir.File("t"), FileAccess::Read, 20, 3);
    for (int32_t codePage : {1252, 65000}) {
        SourceCharReader reader(source, codePage);
        LineEndScanner scanner(source, reader, codePage);
        std::vector<int32_t> ends;
        auto record = [&](int32_t after) {
            ends.push_back(after);
            return after != 4;
        };
        EXPECT_EQ(scanner.Scan(0, record), 4);
        EXPECT_FALSE(scanner.Scan(4, record));
        EXPECT_EQ(ends, (std::vector<int32_t>{2, 4, 6})) << codePage;
    }
}

}  // namespace
