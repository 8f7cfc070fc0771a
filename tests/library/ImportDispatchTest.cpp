#include <csignal>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <sys/resource.h>

#include <gtest/gtest.h>

#include "ExtractorTestSupport.h"
#include "import/ZEBImportPreview.h"
#include "import/ZEBProgress.h"
#include "library/ArchiveFormats.h"
#include "library/ArchiveReaders.h"
#include "library/ZEBImport.h"
#include "library/zip/ZipError.h"
#include "platform/Utf16.h"
#include "support/FakePrompter.h"
#include "support/TempDir.h"

namespace zeb::test {
namespace {

namespace fs = std::filesystem;

constexpr int32_t Utf8CodePage = 65001;

// Imports every text in one code page unless told otherwise for a file name, and records the
// names it was asked about in order.
class NamedPreview : public ZEBImportPreview {
public:
    std::function<std::optional<int32_t>(const std::string& name)> answerFor;
    std::vector<std::string> asked;

    std::optional<int32_t> Show(ZEBFile&, const std::u16string& caption, int32_t) override
    {
        // The caption is "Filename: " + name + "        File Size: " + bytes.
        std::string text = ToUtf8(caption);
        std::string name = text.substr(10, text.find("        File Size") - 10);
        asked.push_back(name);
        return answerFor ? answerFor(name) : std::optional<int32_t>(Utf8CodePage);
    }
};

struct Added {
    std::string source, book;
};

// A program folder with its import around it.
class ImportRun {
public:
    ImportRun() : folders(ProgramImportFolders(program.Path().string()))
    {
        import.SetBookAdded([this](const std::string& source, const std::string& book) {
            added.push_back({source, book});
        });
    }

    void Run(const std::vector<std::string>& files)
    {
        int32_t codePage = Utf8CodePage;
        import.Import(files, codePage);
    }

    std::vector<std::string> AddedNames() const
    {
        std::vector<std::string> names;
        for (const Added& a : added)
            names.push_back(fs::path(a.source).filename().string());
        return names;
    }

    std::vector<std::string> Books() const
    {
        std::vector<std::string> books;
        for (const Added& a : added)
            books.push_back(fs::path(a.book).filename().string());
        return books;
    }

    bool ScratchIsEmpty() const { return fs::is_empty(folders.scratch); }

    std::string Text(const std::string& name, const std::string& content) const
    {
        std::string path = program.File(name);
        WriteBytes(path, std::vector<uint8_t>(content.begin(), content.end()));
        return path;
    }

    std::string Copy(const std::string& archive, const std::string& name) const
    {
        std::string path = program.File(name);
        fs::copy_file(archive, path);
        return path;
    }

    TempDir program;
    ImportFolders folders;
    FakePrompter prompter;
    NamedPreview preview;
    ZEBNoProgress progress;
    ArchiveReaders readers{prompter};
    ZEBImport import{folders, readers, prompter, preview, progress};
    std::vector<Added> added;
};

// Lets one conversion run out of room: files may grow to a few bytes only until Lift().
class FileSizeLimit {
public:
    FileSizeLimit()
    {
        getrlimit(RLIMIT_FSIZE, &saved_);
        previous_ = std::signal(SIGXFSZ, SIG_IGN);
    }
    ~FileSizeLimit()
    {
        Lift();
        std::signal(SIGXFSZ, previous_);
    }
    void Impose()
    {
        rlimit tight = saved_;
        tight.rlim_cur = 64;
        setrlimit(RLIMIT_FSIZE, &tight);
    }
    void Lift() { setrlimit(RLIMIT_FSIZE, &saved_); }

private:
    rlimit saved_{};
    void (*previous_)(int) = nullptr;
};

const std::vector<std::string> StoredZipMembers = {"prose.txt", "verse.txt", "ru_cp1251.txt",
                                                   "allbytes.bin", "empty.txt"};

TEST(ArchiveKindOf, UpperCasedExtensionChoosesTheReader)
{
    const struct {
        const char* path;
        ArchiveKind kind;
    } cases[] = {
        {"a.rar", ArchiveKind::Rar},          {"A.ARJ", ArchiveKind::Arj},
        {"x/b.LzH", ArchiveKind::Lzh},        {"c.ha", ArchiveKind::Ha},
        {"Mixed.Zip", ArchiveKind::Zip},      {"d.tar", ArchiveKind::Text},
        {"e.zip.txt", ArchiveKind::Text},     {"plain", ArchiveKind::Text},
        {"folder.zip/plain", ArchiveKind::Text}, {"f.har", ArchiveKind::Text},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ArchiveKindOf(c.path), c.kind) << c.path;
}

// The texts that name the formats all come from the table, each in its own order.
TEST(ArchiveFormats, TheFilterAndTheToolNameEveryFormatInTheirOrder)
{
    EXPECT_EQ(ImportFilterName(), "ZIP, RAR, ARJ, LZH, HA or TXT");
    EXPECT_EQ(ImportFilterPatterns(),
              (std::vector<std::string>{"*.TXT", "*.RAR", "*.ZIP", "*.ARJ", "*.HA", "*.LZH"}));
    EXPECT_EQ(ArchiveExtensionList(", ", " or "), ".zip, .rar, .arj, .lzh or .ha");
    std::vector<std::string> compared;
    for (const ArchiveFormat& format : ArchiveFormats()) {
        compared.push_back(format.extension);
        EXPECT_EQ(format.makeExtractor == nullptr, format.kind == ArchiveKind::Text)
            << format.extension;
    }
    EXPECT_EQ(compared,
              (std::vector<std::string>{".RAR", ".ARJ", ".LZH", ".HA", ".ZIP", ".TXT"}));
}

TEST(ZEBImport, ChosenFilesAreImportedInTheirOrder)
{
    ZEB_REQUIRE_FIXTURE(zip, "archives/zip/stored.zip");
    ZEB_REQUIRE_FIXTURE(arj, "archives/arj/m1.arj");
    ImportRun run;
    std::string text = run.Text("notes.txt", "Chosen first.\n");
    std::string tar = run.Text("bundle.tar", "Not an archive to us.\n");
    std::string mixedCase = run.Copy(zip, "Mixed.Zip");
    run.Run({text, mixedCase, run.program.File("gone.txt"), arj, tar});

    // The empty text of each archive is refused: no book.
    std::vector<std::string> expected = {"notes.txt"};
    expected.insert(expected.end(), StoredZipMembers.begin(), StoredZipMembers.end() - 1);
    for (const char* name : {"prose.txt", "verse.txt", "ru_cp866.txt", "allbytes.bin", "large.txt"})
        expected.push_back(name);
    expected.push_back("bundle.tar");
    EXPECT_EQ(run.AddedNames(), expected);
    ASSERT_EQ(run.added.size(), expected.size());
    EXPECT_EQ(run.Books().front(), "00000000.book");
    EXPECT_EQ(run.Books().back(), "00000010.book");
    for (const Added& a : run.added)
        EXPECT_TRUE(fs::exists(a.book)) << a.book;
    // Members were converted from the scratch folder and deleted; chosen texts stay.
    EXPECT_EQ(fs::path(run.added[1].source).parent_path(), fs::path(run.folders.scratch));
    EXPECT_TRUE(run.ScratchIsEmpty());
    EXPECT_TRUE(fs::exists(text) && fs::exists(tar) && fs::exists(mixedCase));
    EXPECT_EQ(run.prompter.MessageTexts(),
              std::vector<std::string>(2, "The text is empty: empty.txt"));
}

TEST(ZEBImport, NewBookTakesTheFirstFreeNumber)
{
    ImportRun run;
    fs::create_directories(run.folders.books);
    WriteBytes(run.folders.books + "/00000000.book", {1});
    WriteBytes(run.folders.books + "/00000002.book", {2});
    run.Run({run.Text("a.txt", "a\n"), run.Text("b.txt", "b\n")});
    EXPECT_EQ(run.Books(), (std::vector<std::string>{"00000001.book", "00000003.book"}));
}

// Each format yields its files under their bare names; directory entries give nothing (the
// LZH and HA readers stop at the first one).
TEST(ZEBImport, ArchiveFilesAreImportedUnderTheirBareNames)
{
    const struct {
        const char* archive;
        std::vector<std::string> names;
    } cases[] = {
        {"archives/zip/dirs.zip", {"verse.txt", "prose.txt"}},
        {"archives/rar/tree4.rar", {"verse.txt", "prose.txt", "ru_cp1251.txt"}},
        {"archives/arj/paths.arj", {"indented.txt", "verse.txt", "prose.txt", "ru_cp866.txt"}},
        {"archives/lzh/dirs_level2.lzh", {"indented.txt"}},
        {"archives/ha/dir2.ha", {"prose.txt"}},
    };
    for (const auto& c : cases) {
        ZEB_REQUIRE_CORPUS(archive, c.archive);
        ImportRun run;
        run.Run({archive});
        EXPECT_EQ(run.AddedNames(), c.names) << c.archive;
        EXPECT_EQ(run.preview.asked, c.names) << c.archive;
        EXPECT_TRUE(run.ScratchIsEmpty()) << c.archive;
    }
}

TEST(ZEBImport, CancelledMemberLeavesNoBookAndNoScratchCopy)
{
    ZEB_REQUIRE_FIXTURE(zip, "archives/zip/stored.zip");
    ImportRun run;
    run.preview.answerFor = [](const std::string& name) -> std::optional<int32_t> {
        if (name == "verse.txt")
            return std::nullopt;
        return Utf8CodePage;
    };
    run.Run({zip});
    EXPECT_EQ(run.preview.asked, StoredZipMembers);
    std::vector<std::string> expected = StoredZipMembers;
    expected.pop_back();  // the empty text gives no book
    expected.erase(expected.begin() + 1);
    EXPECT_EQ(run.AddedNames(), expected);
    EXPECT_EQ(run.Books().size(), 3u);
    EXPECT_EQ(run.Books().back(), "00000002.book");
    EXPECT_TRUE(run.ScratchIsEmpty());
}

// A full disk while converting one member: the message, then the next member and the next file.
TEST(ZEBImport, FailedConversionIsReportedAndTheImportGoesOn)
{
    ZEB_REQUIRE_FIXTURE(zip, "archives/zip/stored.zip");
    ImportRun run;
    FileSizeLimit limit;
    run.preview.answerFor = [&limit](const std::string& name) -> std::optional<int32_t> {
        if (name == "prose.txt")
            limit.Impose();
        return Utf8CodePage;
    };
    run.prompter.onMessage = [&limit](const FakePrompter::Shown&) { limit.Lift(); };
    std::string after = run.Text("after.txt", "Still imported.\n");
    run.Run({zip, after});

    std::vector<std::string> expected = StoredZipMembers;
    expected.pop_back();  // the empty text gives no book, only its own message
    expected.erase(expected.begin());
    expected.push_back("after.txt");
    EXPECT_EQ(run.AddedNames(), expected);
    ASSERT_EQ(run.prompter.messages.size(), 2u);
    EXPECT_EQ(run.prompter.messages[1].text, "The text is empty: empty.txt");
    const FakePrompter::Shown& shown = run.prompter.messages[0];
    // The message's own line, then the real cause.
    const std::string text = "Error during convertin file. Probably not enough space\n";
    EXPECT_EQ(shown.text.substr(0, text.size()), text);
    EXPECT_GT(shown.text.size(), text.size());
    EXPECT_EQ(shown.icon, PromptIcon::Error);
    EXPECT_EQ(shown.buttons, PromptButtons::Ok);
    // The failed book is not left half written, and its number is used by the next book.
    EXPECT_EQ(run.Books().front(), "00000000.book");
    EXPECT_TRUE(run.ScratchIsEmpty());
}

// An unreadable ZIP ends the whole run; what was imported before it stays.
TEST(ZEBImport, UnreadableZipEndsTheRun)
{
    ZEB_REQUIRE_FIXTURE(notZip, "archives/zip/notazip.zip");
    ImportRun run;
    std::string first = run.Text("first.txt", "one\n");
    std::string last = run.Text("last.txt", "three\n");
    try {
        run.Run({first, notZip, last});
        FAIL() << "no ZipError";
    } catch (const ZipError& error) {
        EXPECT_STREQ(error.what(), "Not a valid zip file!");
    }
    EXPECT_EQ(run.AddedNames(), std::vector<std::string>{"first.txt"});
    EXPECT_TRUE(run.prompter.messages.empty());
}

}  // namespace
}  // namespace zeb::test
