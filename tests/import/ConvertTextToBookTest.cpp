#include <gtest/gtest.h>

#include <filesystem>

#include "ImportTestSupport.h"
#include "import/ConvertTextToBook.h"
#include "platform/CodePageDecoder.h"
#include "platform/LittleEndian.h"
#include "platform/Utf16.h"
#include "storage/BookHeader.h"
#include "storage/BookOptions.h"
#include "storage/ZEBBook.h"
#include "storage/ZEBFile.h"
#include "storage/ZEBFileOptions.h"

using namespace zeb;
using namespace zeb::test;

namespace {

TEST(ConvertTextToBook, WritesTheRecordsOfEachLine)
{
    struct Case {
        const char* name;
        std::string text;
        std::string stream;
    } cases[] = {
        {"indented words", "    Hello world\n", "_4 '^Hello' _1 'world' $"},
        {"a TAB inside a line", "a\tb\n", "'^a' 'b' $"},
        {"300 spaces", std::string(300, ' ') + "\n", "_255 _45 $"},
        {"600 letters", std::string(600, 'x') + "\n",
         "'^" + std::string(250, 'x') + "' '" + std::string(250, 'x') + "' '" +
             std::string(100, 'x') + "' $"},
        {"a last line without LF", "ab\ncd", "'^ab' $ 'cd' $"},
        {"control characters are dropped", "a\x01" "b \x7F\n", "'^a' 'b' _1 '\x7F' $"},
        {"leading blank lines", "\n \nx\n", "$ _1 $ '^x' $"},
        {"outside the BMP", "a\xF0\x9F\x98\x80" "b\n", "'^a\xF0\x9F\x98\x80" "b' $"},
    };
    for (const Case& c : cases) {
        TempDir dir;
        EXPECT_EQ(ConvertBytes(dir, c.text, 65001).stream, c.stream) << c.name;
    }
}

TEST(ConvertTextToBook, StoresTheIndentedHelloWorldLineByteForByte)
{
    TempDir dir;
    BookContents book = ConvertBytes(dir, "    Hello world\n", 1252);
    const uint8_t expected[] = {0, 4, 6, 9, 0, 'H', 0, 'e', 0, 'l', 0, 'l', 0, 'o', 0,
                                0, 1, 5, 'w', 0, 'o', 0, 'r', 0, 'l', 0, 'd', 0, 0, 0};
    ASSERT_GE(book.bytes.size(), 40 + sizeof expected);
    EXPECT_EQ(std::vector<uint8_t>(book.bytes.begin() + 40, book.bytes.begin() + 40 + sizeof expected),
              std::vector<uint8_t>(std::begin(expected), std::end(expected)));
}

TEST(ConvertTextToBook, GivesTheSameBookForEveryEncodingOfOneText)
{
    TempDir dir;
    const std::string lf = "  First line\nsecond\n\n  Third \xD0\x96\n";
    const std::string reference = ConvertBytes(dir, lf, 65001).stream;
    struct Case {
        const char* name;
        std::string bytes;
        int32_t codePage;
    } cases[] = {
        {"CR LF", "  First line\r\nsecond\r\n\r\n  Third \xD0\x96\r\n", 65001},
        {"cp1251", "  First line\nsecond\n\n  Third \xC6\n", 1251},
        {"UTF-16LE without BOM", Utf16Le(u"  First line\nsecond\n\n  Third \u0416\n"),
         UnicodeCodePage},
        {"UTF-16LE with BOM", Utf16Le(u"\uFEFF  First line\nsecond\n\n  Third \u0416\n"),
         UnicodeCodePage},
        {"UTF-8 with BOM", "\xEF\xBB\xBF" + lf, 65001},
    };
    for (const Case& c : cases) {
        BookContents book = ConvertBytes(dir, c.bytes, c.codePage);
        EXPECT_EQ(book.stream, reference) << c.name;
        EXPECT_EQ(book.paragraphs.size(), 3u) << c.name;
        EXPECT_EQ(book.lines.size(), 5u) << c.name;
    }
}

TEST(ConvertTextToBook, DecodesDoubleByteCodePages)
{
    TempDir dir;
    EXPECT_EQ(ConvertBytes(dir, "\x82\xA0\x82\xA2 \x8A\xBF\n", 932).stream,
              "'^\xE3\x81\x82\xE3\x81\x84' _1 '\xE6\xBC\xA2' $");
    EXPECT_EQ(ConvertBytes(dir, "\xC4\xE3\xBA\xC3\n", 936).stream, "'^\xE4\xBD\xA0\xE5\xA5\xBD' $");
}

TEST(ConvertTextToBook, WritesTablesHeaderSignaturesAndOptions)
{
    TempDir dir;
    const std::string text = "First paragraph line\nand its end.\n\nSecond\n";
    BookContents book = ConvertBytes(dir, text, 65001);
    // Offsets: 40 '^First' 53 _1 55 'paragraph' 74 _1 76 'line' 85 $ 87 'and' 94 _1 96 'its'
    // 103 _1 105 'end.' 114 $ 116 $ 118 '^Second' 133 $ 135.
    ASSERT_EQ(book.stream,
              "'^First' _1 'paragraph' _1 'line' $ 'and' _1 'its' _1 'end.' $ $ '^Second' $");
    const uint32_t textEnd = 135;
    EXPECT_EQ(book.paragraphs, (std::vector<uint32_t>{40, 118, textEnd}));
    EXPECT_EQ(book.lines, (std::vector<uint32_t>{40, 87, 116, 118, textEnd}));

    ZEBFile file;
    file.Open(dir.File("book.book"), FileAccess::Read, 15, 3);
    BookHeader header = BookHeader::Read(file);
    EXPECT_TRUE(header.IsBook(file.Size()));
    EXPECT_EQ(header.paragTableOffset, textEnd);
    EXPECT_EQ(header.lineTableOffset, textEnd + 12);
    EXPECT_EQ(header.optionsOffset, textEnd + 12 + 20 + 16);
    EXPECT_TRUE(file.Verify(0, int32_t(header.optionsOffset) - 16));
    EXPECT_TRUE(file.Verify(int32_t(header.optionsOffset), file.Size() - 16));

    ZEBFileOptions options;
    options.Load(file, int32_t(header.optionsOffset));
    ASSERT_NE(options.Root(), nullptr);
    EXPECT_EQ(options.Root()->Id(), 0);
    std::vector<uint16_t> ids;
    for (const auto& child : options.Root()->Children())
        ids.push_back(child->Id());
    EXPECT_EQ(ids, (std::vector<uint16_t>{OptPosition, OptPositionFraction, OptSourceName,
                                          OptSourceSize}));
    EXPECT_EQ(options.GetInteger(OptPosition, 0), 40u);
    EXPECT_EQ(options.GetInteger(OptPositionFraction, 0), 16384u);
    EXPECT_EQ(options.GetWideString(OptSourceName, u""), u"source.txt");
    EXPECT_EQ(options.GetInteger(OptSourceSize, 0), text.size());
}

// A book's text stream may not be empty: a text without a character gives none.
TEST(ConvertTextToBook, RefusesATextWithoutACharacterAndWritesNothing)
{
    struct Case {
        const char* name;
        std::string bytes;
        int32_t codePage;
        bool empty;
    } cases[] = {
        {"no bytes", "", 65001, true},
        {"a UTF-8 byte order mark", "\xEF\xBB\xBF", 65001, true},
        {"two UTF-16LE byte order marks", "\xFF\xFE\xFF\xFE", UnicodeCodePage, true},
        {"the same three bytes in cp1252", "\xEF\xBB\xBF", 1252, false},
        {"a line feed", "\n", 65001, false},
    };
    for (const Case& c : cases) {
        TempDir dir;
        WriteBytes(dir.File("empty.txt"), std::vector<uint8_t>(c.bytes.begin(), c.bytes.end()));
        ScriptedPreview accept(c.codePage);
        RecordingProgress progress;
        FakePrompter prompter;
        int32_t remembered = 866;
        EXPECT_EQ(ConvertTextToBook(dir.File("empty.txt"), dir.File("b.book"), remembered, accept,
                                    progress, prompter),
                  !c.empty)
            << c.name;
        EXPECT_EQ(std::filesystem::exists(dir.File("b.book")), !c.empty) << c.name;
        EXPECT_EQ(prompter.MessageTexts(),
                  c.empty ? std::vector<std::string>{"The text is empty: empty.txt"}
                          : std::vector<std::string>{})
            << c.name;
        EXPECT_EQ(progress.created, c.empty ? 0 : 1) << c.name;
        EXPECT_EQ(remembered, c.codePage) << c.name;
    }
}

// Names on Linux are bytes: the source opens by them, and the name shown and kept is decoded.
TEST(ConvertTextToBook, OpensASourceByTheBytesOfItsNameAndStoresItDecoded)
{
    TempDir dir;
    const std::string source = dir.File("caf\xFF.txt");
    WriteBytes(source, {'a', 'b', '\n'});
    ScriptedPreview accept(65001);
    ZEBNoProgress progress;
    FakePrompter prompter;
    int32_t remembered = 65001;
    ASSERT_TRUE(ConvertTextToBook(source, dir.File("b.book"), remembered, accept, progress,
                                  prompter));
    EXPECT_EQ(accept.shownCaption, u"Filename: caf\uFFFD.txt        File Size: 3");
    ZEBBook book;
    ASSERT_EQ(book.Open(dir.File("b.book")), BookOpenResult::Opened);
    EXPECT_EQ(book.Options().GetWideString(OptSourceName, u""), u"caf\uFFFD.txt");
}

TEST(ConvertTextToBook, ShowsThePreviewAndWritesNothingWhenDeclined)
{
    TempDir dir;
    WriteBytes(dir.File("some text.txt"), {'a', 'b', 'c'});
    ScriptedPreview decline(std::nullopt);
    RecordingProgress progress;
    int32_t remembered = 866;
    FakePrompter prompter;
    EXPECT_FALSE(ConvertTextToBook(dir.File("some text.txt"), dir.File("b.book"), remembered,
                                   decline, progress, prompter));
    EXPECT_EQ(decline.shownCaption, u"Filename: some text.txt        File Size: 3");
    EXPECT_EQ(decline.shownCodePage, 866);
    EXPECT_EQ(remembered, 866);
    EXPECT_FALSE(std::filesystem::exists(dir.File("b.book")));
    EXPECT_EQ(progress.created, 0);

    ScriptedPreview accept(1251);
    EXPECT_TRUE(ConvertTextToBook(dir.File("some text.txt"), dir.File("b.book"), remembered,
                                  accept, progress, prompter));
    EXPECT_EQ(remembered, 1251);
    EXPECT_TRUE(std::filesystem::exists(dir.File("b.book")));
}

TEST(ConvertTextToBook, ReportsAThirdAfterTheScanAndAllAfterTheLastLine)
{
    TempDir dir;
    const std::string text = "one\ntwo\r\nthree";
    WriteBytes(dir.File("s.txt"), std::vector<uint8_t>(text.begin(), text.end()));
    ScriptedPreview accept(65001);
    RecordingProgress progress;
    FakePrompter prompter;
    int32_t remembered = 65001;
    ConvertTextToBook(dir.File("s.txt"), dir.File("b.book"), remembered, accept, progress,
                      prompter);
    EXPECT_EQ(progress.text, "Converting file ...");
    EXPECT_EQ(progress.maximum, 3 * 14);
    EXPECT_EQ(progress.values, (std::vector<int64_t>{4, 9, 14, 14 + 8, 14 + 18, 14 + 28}));
    EXPECT_EQ(progress.created, 1);
    EXPECT_EQ(progress.destroyed, 1);
}

}  // namespace
