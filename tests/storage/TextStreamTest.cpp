#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <limits>
#include <stdexcept>
#include <string>
#include <vector>

#include "storage/TextStream.h"
#include "storage/ZEBFile.h"
#include "storage/ZEBIOFailure.h"
#include "support/TempDir.h"

using namespace zeb;

namespace {

class TextStreamTest : public ::testing::Test {
protected:
    void SetUp() override { file.Open(dir.File("t"), FileAccess::CreateNew, 12, 2); }

    std::vector<uint8_t> Written(int32_t from, int32_t to)
    {
        std::vector<uint8_t> bytes(size_t(to - from));
        file.Read(from, bytes.data(), to - from);
        return bytes;
    }

    test::TempDir dir;
    ZEBFile file;
};

}  // namespace

TEST_F(TextStreamTest, RecordsHaveTheirExactBytes)
{
    TextStreamWriter w(file, 40);
    w.SpaceRuns(4);
    w.Word(u"\tHi");
    w.SpaceRuns(1);
    w.Word(u"\u0416");
    w.LineEnd();
    EXPECT_EQ(w.Position(), 40 + 2 + 7 + 2 + 3 + 2);
    std::vector<uint8_t> expected = {0, 4, 3, 9, 0, 'H', 0, 'i', 0, 0, 1, 1, 0x16, 0x04, 0, 0};
    EXPECT_EQ(Written(40, w.Position()), expected);
}

TEST_F(TextStreamTest, LongSpaceRunsAreSplitAt255)
{
    TextStreamWriter w(file, 0);
    w.SpaceRuns(600);
    EXPECT_EQ(Written(0, w.Position()), (std::vector<uint8_t>{0, 255, 0, 255, 0, 90}));
    w.SpaceRuns(0);
    EXPECT_EQ(w.Position(), 6);
}

TEST_F(TextStreamTest, ReadingWalksEveryKindOfRecord)
{
    TextStreamWriter w(file, 40);
    w.Word(std::u16string(255, u'x'));
    w.SpaceRuns(300);
    w.LineEnd();
    w.Word(u"end");
    std::u16string word;
    struct Expect {
        TextRecordKind kind;
        int count;
    } expected[] = {{TextRecordKind::Word, 255},   {TextRecordKind::SpaceRun, 255},
                    {TextRecordKind::SpaceRun, 45}, {TextRecordKind::LineEnd, 0},
                    {TextRecordKind::Word, 3}};
    int32_t p = 40;
    for (const Expect& e : expected) {
        TextRecord r = ReadTextRecord(file, p, word);
        EXPECT_EQ(r.kind, e.kind);
        EXPECT_EQ(r.count, e.count);
        p = r.next;
    }
    EXPECT_EQ(word, u"end");
    EXPECT_EQ(p, w.Position());
}

TEST(TextStreamWriter, WritesThroughOrGathersUntilFlushed)
{
    test::TempDir dir;
    const std::vector<uint8_t> records = {0, 2, 2, 'a', 0, 'b', 0, 0, 0};
    for (auto mode : {TextStreamWriter::Mode::WriteThrough, TextStreamWriter::Mode::Gather}) {
        ZEBFile file;
        std::filesystem::remove(dir.File("s.bin"));
        file.Open(dir.File("s.bin"), FileAccess::CreateNew, 12, 2);
        TextStreamWriter writer(file, 40, mode);
        writer.SpaceRuns(2);
        writer.Word(u"ab");
        writer.LineEnd();
        EXPECT_EQ(writer.Position(), 40 + 9);
        EXPECT_EQ(file.Size(), mode == TextStreamWriter::Mode::Gather ? 0 : 49);
        writer.Flush();
        std::vector<uint8_t> bytes(records.size());
        file.Read(40, bytes.data(), int32_t(bytes.size()));
        EXPECT_EQ(bytes, records);
        EXPECT_EQ(writer.Position(), 49);
    }
}

TEST(TextStreamWriter, RefusesARecordThatWouldEndPastTheLargestFile)
{
    test::TempDir dir;
    ZEBFile file;
    file.Open(dir.File("s.bin"), FileAccess::CreateNew, 12, 2);
    const int32_t tenBeforeTheEnd = std::numeric_limits<int32_t>::max() - 10;
    struct Case {
        const char* name;
        std::function<void(TextStreamWriter&)> write;
        int32_t reached;  // the position after what fits
    } cases[] = {
        {"a word of 4 units fits, one more unit does not",
         [](TextStreamWriter& w) { w.Word(u"abcd"); w.Word(u"e"); }, tenBeforeTheEnd + 9},
        {"space runs up to the very end, then a line end",
         [](TextStreamWriter& w) { w.SpaceRuns(5 * 255); w.LineEnd(); }, tenBeforeTheEnd + 10},
    };
    for (const Case& c : cases) {
        TextStreamWriter writer(file, tenBeforeTheEnd, TextStreamWriter::Mode::Gather);
        EXPECT_THROW(c.write(writer), ZEBIOFailure) << c.name;
        EXPECT_EQ(writer.Position(), c.reached) << c.name;
    }
}

// A word record of length 0 would be read as a space run and shift every later record.
TEST_F(TextStreamTest, RefusesAWordOfNoUnitsOrTooMany)
{
    TextStreamWriter w(file, 40);
    w.Word(u"a");
    const struct {
        const char* name;
        std::function<void(TextStreamWriter&)> write;
    } cases[] = {
        {"an empty word", [](TextStreamWriter& w) { w.Word(u""); }},
        {"a word ended with no units", [](TextStreamWriter& w) { w.BeginWord(); w.EndWord(0); }},
        {"a word ended with 256 units", [](TextStreamWriter& w) { w.BeginWord(); w.EndWord(256); }},
    };
    for (const auto& c : cases) {
        EXPECT_THROW(c.write(w), std::invalid_argument) << c.name;
        EXPECT_EQ(w.Position(), 43) << c.name;
    }
    w.LineEnd();
    EXPECT_EQ(Written(40, w.Position()), (std::vector<uint8_t>{1, 'a', 0, 0, 0}));
}
