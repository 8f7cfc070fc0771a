#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "import/PreviewLines.h"
#include "platform/CodePageDecoder.h"
#include "storage/ZEBFile.h"
#include "support/TempDir.h"

using namespace zeb;
using namespace zeb::test;

namespace {

class PreviewLinesTest : public ::testing::Test {
protected:
    ZEBFile& Source(const std::string& bytes)
    {
        WriteBytes(dir_.File("s.txt"), std::vector<uint8_t>(bytes.begin(), bytes.end()));
        file_.Open(dir_.File("s.txt"), FileAccess::Read, 20, 3);
        return file_;
    }

    std::vector<int32_t> Entries() const
    {
        std::vector<int32_t> entries;
        for (int32_t k = 0; k < lines_.Entries().Count(); ++k)
            entries.push_back(lines_.Entries()[k]);
        return entries;
    }

    TempDir dir_;
    ZEBFile file_;
    PreviewLines lines_;
};

TEST_F(PreviewLinesTest, ALineWithoutLfEndsAtTheSourceSize)
{
    lines_.Layout(Source("Hello"), 1252);
    EXPECT_EQ(Entries(), (std::vector<int32_t>{0, 5}));
    EXPECT_EQ(lines_.RowText(0), u"");
    EXPECT_EQ(lines_.RowText(1), u"Hello");
    EXPECT_EQ(lines_.RowText(2), u"");
    EXPECT_EQ(lines_.ScrollRange(10), 20);

    lines_.ReleaseSource();
    file_.Close();
    lines_.EnsureAllRows();
    EXPECT_EQ(Entries(), (std::vector<int32_t>{0, 5}));
    EXPECT_EQ(lines_.RowText(1), u"");
}

TEST_F(PreviewLinesTest, AnEmptySourceHasOnlyEntryZero)
{
    lines_.Layout(Source(""), 1252);
    EXPECT_EQ(Entries(), (std::vector<int32_t>{0}));
    EXPECT_EQ(lines_.ScrollRange(10), 10);
    EXPECT_EQ(lines_.RowText(1), u"");
}

TEST_F(PreviewLinesTest, RowTextShowsTabsAsSpacesDropsLineEndsAndStopsAfter257Characters)
{
    const std::string longLine(300, 'x');
    lines_.Layout(Source("a\tb\r\n" + longLine + "\r\nc\r"), 1252);
    lines_.EnsureAllRows();
    EXPECT_EQ(lines_.RowText(1), u"a b");
    EXPECT_EQ(lines_.RowText(2), std::u16string(257, u'x'));
    EXPECT_EQ(lines_.RowText(3), u"c");
}

TEST_F(PreviewLinesTest, FindsLineEndsOnlyAsFarAsAskedAndEstimatesTheRest)
{
    std::string text;
    for (int k = 0; k < 1000; ++k)
        text += "line " + std::to_string(1000 + k) + "\n";  // 10 bytes each
    lines_.Layout(Source(text), 65001);
    EXPECT_EQ(Entries(), (std::vector<int32_t>{0, 10}));
    EXPECT_EQ(lines_.ScrollRange(3), (2 + 9990 / 10) * 3);

    lines_.EnsureRows(5);
    EXPECT_EQ(lines_.Entries().Count(), 6);
    lines_.EnsureRows(3);
    EXPECT_EQ(lines_.Entries().Count(), 6);
    EXPECT_EQ(lines_.RowText(5), u"line 1004");

    lines_.EnsureAllRows();
    EXPECT_EQ(lines_.Entries().Count(), 1001);
    EXPECT_EQ(lines_.Entries()[1000], 10000);
    EXPECT_EQ(lines_.ScrollRange(3), 1001 * 3);
}

TEST_F(PreviewLinesTest, EveryLayoutDecodesTheRowsAnew)
{
    ZEBFile& source = Source("ABCD\nEF\n");
    lines_.Layout(source, UnicodeCodePage);
    lines_.EnsureAllRows();
    // No unit of the pairs is an LF: one line of four units, the last an LF byte and 'E'.
    EXPECT_EQ(Entries(), (std::vector<int32_t>{0, 8}));
    EXPECT_EQ(lines_.RowText(1), u"\u4241\u4443\u450A\u0A46");

    lines_.Layout(source, 1252);
    lines_.EnsureAllRows();
    EXPECT_EQ(Entries(), (std::vector<int32_t>{0, 5, 8}));
    EXPECT_EQ(lines_.RowText(1), u"ABCD");
    EXPECT_EQ(lines_.RowText(2), u"EF");
}

}  // namespace
