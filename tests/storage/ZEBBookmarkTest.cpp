#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestBook.h"
#include "storage/BookHeader.h"
#include "storage/BookOptions.h"
#include "storage/ZEBBook.h"
#include "support/TempDir.h"

using namespace zeb;

namespace {

std::vector<int32_t> Positions(const ZEBBookmark& marks)
{
    std::vector<int32_t> positions;
    for (const ZEBBookmarkObject& b : marks)
        positions.push_back(b.Position);
    return positions;
}

TEST(ZEBBookmarkTest, InsertKeepsPositionOrderAndTheFirstAtAPosition)
{
    ZEBBookmark marks;
    EXPECT_TRUE(marks.Insert(300, u"c"));
    EXPECT_TRUE(marks.Insert(100, u"a"));
    EXPECT_TRUE(marks.Insert(200, u"b"));
    EXPECT_FALSE(marks.Insert(100, u"again"));
    EXPECT_EQ(Positions(marks), (std::vector<int32_t>{100, 200, 300}));
    EXPECT_EQ(marks[0].Text, u"a");
    marks.Remove(1);
    marks.Remove(7);
    EXPECT_EQ(Positions(marks), (std::vector<int32_t>{100, 300}));
}

TEST(ZEBBookmarkTest, StoredRecordsRoundTripAndShortOnesAreSkipped)
{
    ZEBBookmark marks;
    marks.Insert(0x01020304, u"Zw\u00f6lf");
    marks.Insert(-5, u"x");
    ZEBFileOptions options;
    options.SetInteger(OptPosition, 40);
    ZEBFileOptionsItem* item = marks.AppendTo(options);
    ASSERT_NE(item, nullptr);
    ASSERT_EQ(item->Children().size(), 2u);
    // Position little-endian, then the text as UTF-16LE; ids count from 0.
    EXPECT_EQ(item->Children()[0]->Id(), 0);
    EXPECT_EQ(item->Children()[0]->Value(), (std::vector<uint8_t>{0xFB, 0xFF, 0xFF, 0xFF, 'x', 0}));
    EXPECT_EQ(item->Children()[1]->Id(), 1);
    EXPECT_EQ(item->Children()[1]->Length(), 4 + 2 * 5);

    uint8_t four[4] = {1, 0, 0, 0};
    item->AppendChild(2).SetValue(four, 4);  // no text: ignored
    uint8_t five[5] = {2, 0, 0, 0, 'A'};
    item->AppendChild(5).SetValue(five, 5);  // not one whole code unit: ignored too
    uint8_t odd[7] = {9, 0, 0, 0, 'q', 0, 'r'};
    item->AppendChild(3).SetValue(odd, 7);  // half a code unit at the end is dropped
    item->AppendChild(4).SetValue(odd, 7);  // the same position again: ignored

    ZEBBookmark loaded;
    loaded.TakeFrom(options);
    EXPECT_EQ(Positions(loaded), (std::vector<int32_t>{-5, 9, 0x01020304}));
    EXPECT_EQ(loaded[1].Text, u"q");
    EXPECT_EQ(loaded[2].Text, u"Zw\u00f6lf");
    EXPECT_EQ(options.Find(OptBookmarks), nullptr);
    EXPECT_EQ(options.Root()->Children().size(), 1u);

    EXPECT_EQ(ZEBBookmark().AppendTo(options), nullptr);
    EXPECT_EQ(options.Find(OptBookmarks), nullptr);
}

TEST(ZEBBookmarkTest, TextIsGatheredWordByWordToAtLeast256Units)
{
    test::TempDir dir;
    std::string path = dir.File("b.book");
    test::TestBookWriter writer(path);
    writer.Line(u"\tOpening   words");
    std::u16string long300(300, u'w');
    int32_t longAt = writer.Position();
    writer.Word(long300.substr(0, 255)).LineEnd();  // one record holds at most 255 units
    int32_t tailAt = writer.Position();
    for (int i = 0; i < 100; ++i)
        writer.Line(u"abcd");
    writer.Finish();
    ZEBBook book;
    ASSERT_EQ(book.Open(path), BookOpenResult::Opened);

    std::u16string text = BookmarkText(book.Text(), TextStart);
    EXPECT_EQ(text.substr(0, 15), u"Opening words w");
    EXPECT_EQ(text.size(), 14 + 255u);  // the long word is kept whole and ends it

    text = BookmarkText(book.Text(), longAt);
    EXPECT_EQ(text, long300.substr(0, 255) + u" abcd");

    // Words of four: 52 words reach 259 units (51 spaces between).
    text = BookmarkText(book.Text(), tailAt);
    EXPECT_EQ(text.size(), 52 * 4 + 51u);
    // Near the end there is less text than that.
    EXPECT_EQ(BookmarkText(book.Text(), book.TextEnd() - 11), u"abcd");
}

TEST(ZEBBookmarkTest, PercentTexts)
{
    struct Case {
        int32_t position, start, end;
        const char* text;
    };
    for (Case c : {Case{40, 40, 1040, "0%"}, Case{540, 40, 1040, "50%"},
                   Case{415, 40, 1040, "37.5%"}, Case{41, 40, 1040, "0.1%"},
                   Case{1039, 40, 1040, "99.9%"}, Case{3, 40, 40, "0%"}})
        EXPECT_EQ(BookmarkPercentText(c.position, c.start, c.end), c.text) << c.position;
}

}  // namespace
