#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "TestBook.h"
#include "library/BrowseEntry.h"
#include "library/LibraryReader.h"
#include "library/ZEBBrowseFile.h"
#include "storage/BookOptions.h"
#include "storage/ZEBBook.h"
#include "support/TempDir.h"

namespace zeb::test {
namespace {

namespace fs = std::filesystem;

std::unique_ptr<ZEBBrowseFileObject> Entry(std::u16string title, std::string path = "")
{
    auto entry = std::make_unique<ZEBBrowseFileObject>();
    entry->title = std::move(title);
    entry->bookPath = std::move(path);
    return entry;
}

// Titles compare code unit by code unit: upper case before lower, a prefix before the longer
// title, and equal titles in the order they came; the index follows every insertion.
TEST(ZEBBrowseFile, SortsByCodeUnitsKeepingArrivalOrderOfEqualTitles)
{
    ZEBBrowseFile list;
    list.Insert(Entry(u"alpha.txt", "first alpha"));
    list.Insert(Entry(u"Beta.txt"));
    list.Insert(Entry(u"alpha.txt", "second alpha"));
    list.Insert(Entry(u"alpha.txt.bak"));
    list.Insert(Entry(u"alpha"));
    list.Insert(Entry(u"\u0416.txt"));  // Cyrillic, above every Latin unit
    list.Insert(Entry(u""));

    std::vector<std::u16string> titles;
    for (int32_t i = 0; i < list.Count(); ++i) {
        EXPECT_EQ(list[i].index, i);
        titles.push_back(list[i].title);
    }
    EXPECT_EQ(titles, (std::vector<std::u16string>{u"", u"Beta.txt", u"alpha", u"alpha.txt",
                                                   u"alpha.txt", u"alpha.txt.bak",
                                                   u"\u0416.txt"}));
    EXPECT_EQ(list[3].bookPath, "first alpha");
    EXPECT_EQ(list[4].bookPath, "second alpha");

    list.Remove(1);
    EXPECT_EQ(list[1].title, u"alpha");
    EXPECT_EQ(list[1].index, 1);
    EXPECT_EQ(list[5].index, 5);
}

// The reader's open book, or none.
class FakeReader : public LibraryReader {
public:
    ZEBBook* OpenBook() override { return book.IsOpen() ? &book : nullptr; }
    void CloseBook() override { book.Close(); }
    ZEBBook book;
};

using TextOf = std::function<void(TestBookWriter&)>;

TextOf Lines(std::vector<std::u16string> lines)
{
    return [lines](TestBookWriter& writer) {
        for (const std::u16string& line : lines)
            writer.Line(line);
    };
}

struct PreviewCase {
    const char* what;
    TextOf text;
    std::vector<std::u16string> preview;
};

std::vector<std::u16string> PreviewOf(const TextOf& text)
{
    TempDir folder;
    std::string path = (folder.Path() / "00000000.book").string();
    TestBookWriter writer(path);
    text(writer);
    writer.Finish();
    FakeReader reader;
    auto entry = LoadBrowseEntry(path, reader);
    return entry ? entry->preview : std::vector<std::u16string>{u"<not loaded>"};
}

// A word longer than a record, stored as records with no space run between them.
void LongWord(TestBookWriter& writer)
{
    writer.Word(std::u16string(250, u'w')).Word(u"ww").Spaces(3).Word(u"end").LineEnd();
}

TEST(BrowseEntry, PreviewShowsTheFirstNineNonEmptyLinesJoinedByOneBlank)
{
    const std::u16string longLine(1000, u'x');
    const PreviewCase cases[] = {
        {"blank runs become one blank, leading and trailing ones none",
         Lines({u"  two    words  ", u"one"}),
         {u"two words", u"one"}},
        {"empty lines are left out",
         Lines({u"", u"   ", u"first", u"", u"second"}),
         {u"first", u"second"}},
        {"a paragraph's TAB is dropped", Lines({u"\tIndented start", u"\t"}), {u"Indented start"}},
        {"a long line is cut to 256 code units",
         Lines({longLine.substr(0, 200) + u" " + longLine.substr(0, 200)}),
         {(longLine.substr(0, 200) + u" " + longLine.substr(0, 200)).substr(0, 256)}},
        {"the records of one long word stay together", LongWord,
         {std::u16string(252, u'w') + u" end"}},
        {"nine lines at most",
         Lines({u"1", u"2", u"", u"3", u"4", u"5", u"6", u"7", u"8", u"9", u"10"}),
         {u"1", u"2", u"3", u"4", u"5", u"6", u"7", u"8", u"9"}},
    };
    for (const PreviewCase& c : cases)
        EXPECT_EQ(PreviewOf(c.text), c.preview) << c.what;
}

// Only books whose magic is right and whose options block verifies are loaded; everything
// else is left out without a failure, and the next file still loads.
TEST(BrowseEntry, LoadsGoodBooksOnlyAndNeverFails)
{
    TempDir folder;
    auto path = [&folder](const char* name) { return (folder.Path() / name).string(); };
    {
        TestBookWriter good(path("good.book"));
        good.Line(u"Some text");
        good.Finish();
    }
    fs::copy_file(path("good.book"), path("badmagic.book"));
    fs::copy_file(path("good.book"), path("badsignature.book"));
    {
        std::fstream f(path("badmagic.book"), std::ios::in | std::ios::out | std::ios::binary);
        f.put('X');
        std::fstream g(path("badsignature.book"), std::ios::in | std::ios::out | std::ios::binary);
        g.seekp(-3, std::ios::end);
        g.put('\x55');
    }
    std::ofstream(path("short.book")) << "ZEB Book";
    std::ofstream(path("empty.book"));
    fs::create_directory(path("folder.book"));

    FakeReader reader;
    for (const char* bad : {"badmagic.book", "badsignature.book", "short.book", "empty.book",
                            "folder.book", "missing.book"})
        EXPECT_EQ(LoadBrowseEntry(path(bad), reader), nullptr) << bad;
    auto entry = LoadBrowseEntry(path("good.book"), reader);
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->bookPath, path("good.book"));
    EXPECT_EQ(entry->preview, std::vector<std::u16string>{u"Some text"});
}

// The open book is read through the reader's own file: what lies under its name now does not
// matter.
TEST(BrowseEntry, ReadsTheOpenBookThroughTheReader)
{
    TempDir folder;
    std::string path = (folder.Path() / "00000000.book").string();
    {
        TestBookWriter book(path);
        book.Line(u"Open in the reader");
        ZEBFileOptions options;
        options.SetWideString(OptSourceName, u"open.txt");
        options.SetInteger(OptSourceSize, 1234);
        book.Finish(options);
    }
    FakeReader reader;
    ASSERT_EQ(reader.book.Open(path), BookOpenResult::Opened);
    std::string other = path + ".other";
    std::ofstream(other) << "not a book";
    fs::rename(other, path);

    auto entry = LoadBrowseEntry(path, reader);
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->title, u"open.txt");
    EXPECT_EQ(entry->sourceSize, 1234);
    EXPECT_EQ(entry->preview, std::vector<std::u16string>{u"Open in the reader"});
}

}  // namespace
}  // namespace zeb::test
