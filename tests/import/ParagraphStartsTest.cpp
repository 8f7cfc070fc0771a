#include <gtest/gtest.h>

#include "ImportTestSupport.h"
#include "import/ParagraphStarts.h"
#include "import/ScanSourceLine.h"
#include "import/SourceCharReader.h"
#include "storage/ZEBFile.h"

using namespace zeb;
using namespace zeb::test;

namespace {

// The line records of text (decoded as UTF-8) after the scan and both paragraph passes.
ZEBLineInfo Lines(const std::string& text)
{
    TempDir dir;
    WriteBytes(dir.File("s.txt"), std::vector<uint8_t>(text.begin(), text.end()));
    ZEBFile file;
    file.Open(dir.File("s.txt"), FileAccess::Read, 20, 3);
    SourceCharReader reader(file, 65001);
    ZEBNoProgress progress;
    ZEBLineInfo lines = ScanSource(reader, progress);
    MarkBlocks(lines);
    MarkParagraphStarts(lines);
    return lines;
}

std::vector<int> ParagraphStarts(const std::string& text)
{
    std::vector<int> starts;
    ZEBLineInfo lines = Lines(text);
    for (size_t k = 0; k < lines.size(); ++k) {
        if (lines[k].paragraphStart)
            starts.push_back(int(k));
    }
    return starts;
}

TEST(ScanSourceLine, CountsColumnsIndentAndVisibility)
{
    struct Case {
        const char* line;
        int32_t length, indent, end;
        bool visible;
    } cases[] = {
        {"\n", 1, 0, 1, false},
        {"abc\n", 4, 0, 4, true},
        {"abc", 4, 0, 3, true},
        {"abc\r\n", 5, 0, 5, true},
        {"  ab\n", 5, 2, 5, true},
        {"\tab\n", 11, 8, 4, true},
        {"   \tab\n", 11, 8, 7, true},
        {"        \tx\n", 18, 16, 11, true},
        {"\r\r  x\n", 4, 2, 6, true},
        {"   \n", 4, 3, 4, false},
        {"   ", 3, 3, 3, false},
        {"a\tb\n", 4, 0, 4, true},
        {"\xEF\xBB\xBF", 0, 0, 3, false},
    };
    for (const Case& c : cases) {
        ZEBLineInfo lines = Lines(c.line);
        ASSERT_EQ(lines.size(), 1u) << c.line;
        EXPECT_EQ(lines[0].length, c.length) << c.line;
        EXPECT_EQ(lines[0].indent, c.indent) << c.line;
        EXPECT_EQ(lines[0].end, c.end) << c.line;
        EXPECT_EQ(lines[0].visible, c.visible) << c.line;
    }
}

TEST(ParagraphStarts, FollowBlankLinesIndentationAndShortLines)
{
    const std::string full = "aaaa aaaa aaaa aaaa aaaa aaaa aaaa aaa\n";  // length 39
    struct Case {
        const char* name;
        std::string text;
        std::vector<int> starts;
    } cases[] = {
        {"blank lines between full lines: one paragraph per block",
         full + full + "aaaa aaaa\n\n" + full + "aaaa\n", {4}},
        {"indented first lines without blank lines",
         "  Aaaa aaaa aaaa\nbbbb bbbb bbbb b\n  Cccc cccc cccc\ndddd dddd\n", {2}},
        {"TAB indented first line", "aaaa aaaa\n\tBbbb bbbb\ncccc\n", {1}},
        {"short lines after a full one: verse",
         full + "short line\nshort line\nshort line\n", {2, 3}},
        {"a line of length 30 keeps the next one",
         full + std::string(29, 'x') + "\nshort\nshort\n", {3}},
        {"four trailing empty lines", "aaa\n\n\n\n\n", {2, 3, 4}},
        {"an indented line of spaces begins a paragraph", "aaaa aaaa\n      \nbbbb\n", {1, 2}},
        {"blank lines at the start", "\n\nfirst\n", {2}},
        {"one line", "only", {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParagraphStarts(c.text), c.starts) << c.name;
}

TEST(ParagraphStarts, BlocksTakeTheLeastVisibleIndentAndTheLongestLine)
{
    ZEBLineInfo lines = Lines("\n   abc\n  abcdefg\n\n\nx\n");
    struct Expected {
        int32_t blockIndent, blockLength;
    } expected[] = {{2, 10}, {2, 10}, {2, 10}, {2, 10}, {0, 2}, {0, 2}};
    ASSERT_EQ(lines.size(), 6u);
    for (size_t k = 0; k < lines.size(); ++k) {
        EXPECT_EQ(lines[k].blockIndent, expected[k].blockIndent) << k;
        EXPECT_EQ(lines[k].blockLength, expected[k].blockLength) << k;
    }
}

}  // namespace
