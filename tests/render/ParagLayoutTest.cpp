// Line breaks, word positions and line heights of the three formatting modes, measured with
// the fake font: a 400-pixel view with margins 10 leaves 380 from x = 10; a line is 21 high,
// a paragraph gap 6, a space 5.
#include <string>
#include <vector>

#include "EngineFixture.h"

namespace zeb::test {
namespace {

struct PlacedWord {
    std::u16string text;
    int32_t x;
    bool operator==(const PlacedWord&) const = default;
};

std::ostream& operator<<(std::ostream& out, const PlacedWord& w)
{
    return out << std::string(w.text.begin(), w.text.end()) << "@" << w.x;
}

class ParagLayoutTest : public EngineTest {
protected:
    // Lays out the whole book from its start.
    const std::vector<std::unique_ptr<ZEBRenderParagObject>>& LayOut(uint8_t formatting)
    {
        book.Finish();
        Open(formatting);
        engine.SetPosition(TextStart, 0);
        return engine.Blocks();
    }

    // Writes a book of these source lines to a fresh file and lays it out from its start.
    const ZEBRenderParagObject& LayOutLines(const std::vector<std::u16string>& lines,
                                            const ReaderSettings& settings)
    {
        std::string path = dir.File("case" + std::to_string(++cases_) + ".book");
        TestBookWriter writer(path);
        for (const std::u16string& line : lines)
            writer.Line(line);
        writer.Finish();
        engine.Reset();
        ApplySettingsNow(settings);
        EXPECT_EQ(engine.Book().Open(path), BookOpenResult::Opened);
        engine.SetPosition(TextStart, 0);
        return *engine.Blocks().at(0);
    }

    static std::vector<PlacedWord> Words(const ZEBRenderLineObject& line)
    {
        std::vector<PlacedWord> words;
        for (const ZEBRenderWordObject& w : line.Words)
            words.push_back({w.Text, w.X});
        return words;
    }

    static std::vector<std::u16string> Texts(const ZEBRenderParagObject& block)
    {
        std::vector<std::u16string> texts;
        for (const auto& line : block.Lines)
            for (const ZEBRenderWordObject& w : line->Words)
                texts.push_back(w.Text);
        return texts;
    }

    int cases_ = 0;
};

TEST_F(ParagLayoutTest, OneLineParagraphGetsBothGapsAndSingleSpaces)
{
    book.Line(u"\tAb cd");
    const auto& blocks = LayOut(FormattingFull);
    ASSERT_EQ(blocks.size(), 1u);
    const ZEBRenderLineObject& line = blocks[0]->FirstLine();
    ASSERT_EQ(blocks[0]->Lines.size(), 1u);
    EXPECT_EQ(line.Height, 21 + 6 + 6);
    EXPECT_EQ(line.TextTop, 6);
    // The TAB is eight spaces of 5; "cd" follows one space width later.
    EXPECT_EQ(Words(line), (std::vector<PlacedWord>{{u"        Ab", 10}, {u"cd", 10 + 60 + 5}}));
    EXPECT_EQ(line.Start, TextStart);
    EXPECT_EQ(line.End, book.Position() - 2);  // before the line end
}

TEST_F(ParagLayoutTest, FullLinesAreJustifiedWithTruncatedGaps)
{
    // Four words of 80, 80, 80 and 78 fill a line (3 spaces + 318 <= 380) and leave 62 over
    // three gaps: 20, 21, 21. The fifth word starts the last line, which is not justified.
    book.Line(u"aaaaaaaa bbbbbbbb cccccccc dddddiiiiiii eeeee ff");
    const auto& blocks = LayOut(FormattingFull);
    const auto& lines = blocks[0]->Lines;
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(Words(*lines[0]), (std::vector<PlacedWord>{
                                    {u"aaaaaaaa", 10}, {u"bbbbbbbb", 110}, {u"cccccccc", 211},
                                    {u"dddddiiiiiii", 312}}));
    EXPECT_EQ(Words(*lines[1]), (std::vector<PlacedWord>{{u"eeeee", 10}, {u"ff", 65}}));
    EXPECT_EQ(lines[0]->Height, 27);
    EXPECT_EQ(lines[0]->TextTop, 6);
    EXPECT_EQ(lines[1]->Height, 27);
    EXPECT_EQ(lines[1]->TextTop, 0);
    // The second line starts where the first word it holds was read from (the space in front).
    EXPECT_EQ(lines[1]->Start, lines[0]->End);
    EXPECT_EQ(lines[0]->WordWidth, 318);
}

TEST_F(ParagLayoutTest, BlockWithoutWordsIsOneEmptyLine)
{
    book.Line(u"   ");
    book.Paragraph().Line(u"next");
    EXPECT_EQ(LayOut(FormattingFull)[0]->Lines.size(), 1u);
    EXPECT_EQ(engine.Blocks()[0]->FirstLine().Height, 21 + 2 * 6);
    EXPECT_TRUE(engine.Blocks()[0]->FirstLine().Words.empty());
}

TEST_F(ParagLayoutTest, EmptySourceLineInOriginalIsOneLineOfTheLineHeight)
{
    book.Line(u"first");
    book.LineEnd();
    book.Line(u"third");
    const auto& blocks = LayOut(FormattingOriginal);
    ASSERT_EQ(blocks.size(), 3u);
    ASSERT_EQ(blocks[1]->Lines.size(), 1u);
    EXPECT_EQ(blocks[1]->FirstLine().Height, 21);
    EXPECT_EQ(blocks[1]->FirstLine().Start, blocks[1]->Start);
    EXPECT_EQ(blocks[1]->FirstLine().End, blocks[1]->End);
    // Only the book's first and last blocks get paragraph gaps in "Original".
    EXPECT_EQ(blocks[0]->FirstLine().Height, 27);
    EXPECT_EQ(blocks[2]->FirstLine().Height, 27);
}

TEST_F(ParagLayoutTest, HyphenJoining)
{
    struct Case {
        const char* name;
        std::vector<std::u16string> lines;
        std::vector<std::u16string> full;
        std::vector<std::u16string> hyphen;
    };
    const std::vector<Case> cases = {
        {"split word", {u"con-", u"tinue"}, {u"con-", u"tinue"}, {u"continue"}},
        {"double hyphen", {u"con--", u"tinue"}, {u"con--", u"tinue"}, {u"con--", u"tinue"}},
        {"hyphen alone", {u"a -", u"b"}, {u"a", u"-", u"b"}, {u"a", u"-", u"b"}},
        {"two line breaks", {u"con-", u"", u"tinue"}, {u"con-", u"tinue"}, {u"con-", u"tinue"}},
        {"spaces between", {u"con-", u"  tinue"}, {u"con-", u"tinue"}, {u"continue"}},
        {"paragraph end", {u"the end-"}, {u"the", u"end-"}, {u"the", u"end"}},
        {"chain", {u"a-", u"b-", u"c"}, {u"a-", u"b-", u"c"}, {u"abc"}},
    };
    for (const Case& c : cases) {
        for (uint8_t formatting : {FormattingFull, FormattingFullHyphen}) {
            EXPECT_EQ(Texts(LayOutLines(c.lines, TestSettings(formatting))),
                      formatting == FormattingFull ? c.full : c.hyphen)
                << c.name << " formatting " << int(formatting);
        }
    }
}

TEST_F(ParagLayoutTest, TabDashOpensWithIndentHyphenAndSpace)
{
    book.Line(u"\t- Hello world");
    EXPECT_EQ(Texts(*LayOut(FormattingFull)[0]),
              (std::vector<std::u16string>{u"        - Hello", u"world"}));
}

TEST_F(ParagLayoutTest, OriginalSpreadsTheFreeWidthOverSpaceRuns)
{
    // The first source line wraps before the long word; its three spaces take all 180 pixels
    // the two words leave, and the trailing space is dropped. Alone on its block's last line,
    // the same spacing is three space widths.
    book.Line(u"aaaaaaaaaa   bbbbbbbbbb cccccccccccccccccccc");
    book.Line(u"aaaaaaaaaa   bbbbbbbbbb");
    const auto& blocks = LayOut(FormattingOriginal);
    ASSERT_EQ(blocks.size(), 2u);
    ASSERT_EQ(blocks[0]->Lines.size(), 2u);
    const ZEBRenderLineObject& first = blocks[0]->FirstLine();
    EXPECT_EQ(Words(first), (std::vector<PlacedWord>{{u"aaaaaaaaaa", 10}, {u"bbbbbbbbbb", 290}}));
    EXPECT_EQ(first.SpaceCount, 3);
    EXPECT_EQ(Words(blocks[0]->LastLine()),
              (std::vector<PlacedWord>{{u"cccccccccccccccccccc", 10}}));
    EXPECT_EQ(Words(blocks[1]->FirstLine()),
              (std::vector<PlacedWord>{{u"aaaaaaaaaa", 10}, {u"bbbbbbbbbb", 125}}));
}

TEST_F(ParagLayoutTest, OriginalTabsBecomeSpacesAfterTheFirstIsDropped)
{
    book.Word(u"\tab\tc").LineEnd();
    const auto& blocks = LayOut(FormattingOriginal);
    EXPECT_EQ(Texts(*blocks[0]), (std::vector<std::u16string>{u"ab        c"}));
}

TEST_F(ParagLayoutTest, WideWordIsBrokenIntoPiecesThatFit)
{
    // A word of 50 characters of 10 pixels after "xx": 355 of the 380 pixels are left (a space
    // and 20), so 35 characters go on the first line, justified to the right edge; the other
    // 15 open the next line, followed by the next word.
    for (uint8_t formatting : {FormattingFull, FormattingOriginal}) {
        const auto& lines =
            LayOutLines({u"xx " + std::u16string(50, u'a') + u" z"}, TestSettings(formatting)).Lines;
        ASSERT_EQ(lines.size(), 2u) << int(formatting);
        EXPECT_EQ(Words(*lines[0]), (std::vector<PlacedWord>{{u"xx", 10},
                                                              {std::u16string(35, u'a'), 40}}));
        EXPECT_EQ(Words(*lines[1]), (std::vector<PlacedWord>{{std::u16string(15, u'a'), 10},
                                                              {u"z", 165}}));
    }
}

TEST_F(ParagLayoutTest, NothingFitsStillPlacesOneCharacterPerLine)
{
    ReaderSettings settings = TestSettings(FormattingFull);
    for (FontProfile& p : settings.Profiles)
        p.PageMargins = 250;  // 400 - 500 pixels for text: nothing fits
    for (uint8_t formatting : {FormattingFull, FormattingOriginal}) {
        settings.TextFormatting = formatting;
        const ZEBRenderParagObject& block = LayOutLines({u"abc de"}, settings);
        EXPECT_EQ(Texts(block), (std::vector<std::u16string>{u"a", u"b", u"c", u"d", u"e"}))
            << int(formatting);
        EXPECT_EQ(block.Lines.size(), 5u);
    }
}

TEST_F(ParagLayoutTest, MalformedIndexNeverReadsPastTheText)
{
    for (int i = 0; i < 30; ++i)
        book.Paragraph().Line(u"\tSome words here");
    book.Finish();
    // Index entries out of order, inside a word record, past the text and before it; the file
    // is signed again, so only the indexes are wrong.
    std::string path = dir.File("00000001.book");
    ZEBFile file;
    file.Open(path, FileAccess::ReadWrite, 16, 1);
    BookHeader h = BookHeader::Read(file);
    for (uint32_t table : {h.paragTableOffset, h.lineTableOffset}) {
        file.WriteU32(int32_t(table) + 4 * 3, 0x7FFFFFF0);
        file.WriteU32(int32_t(table) + 4 * 4, 3);
        file.WriteU32(int32_t(table) + 4 * 5, uint32_t(TextStart + 1));
        file.WriteU32(int32_t(table) + 4 * 9, h.paragTableOffset - 1);
    }
    file.Sign(0, int32_t(h.optionsOffset) - 16);
    file.Close();

    for (uint8_t formatting : {FormattingFull, FormattingOriginal}) {
        ApplySettingsNow(TestSettings(formatting));
        ASSERT_EQ(engine.Book().Open(path), BookOpenResult::Opened);
        for (int32_t p : {0, TextStart, TextStart + 1, 200, 0x7FFFFFF0, int32_t(h.paragTableOffset) - 1}) {
            engine.SetPosition(p, 10);
            engine.MoveBy(-2000);
            engine.MoveBy(4000);
            EXPECT_FALSE(engine.Blocks().empty());
            for (const auto& block : engine.Blocks())
                for (const auto& line : block->Lines)
                    for (const auto& word : line->Words)
                        EXPECT_LE(word.Text.size(), 255u + 8);
        }
        engine.Reset();
    }
}

}  // namespace
}  // namespace zeb::test
