#include <gtest/gtest.h>

#include <ctime>
#include <filesystem>
#include <map>
#include <set>
#include <sys/stat.h>

#include "Manifest.h"
#include "library/ArchivePrompts.h"
#include "library/zip/ZipError.h"
#include "library/zip/ZipReader.h"
#include "platform/LittleEndian.h"
#include "support/FakePrompter.h"
#include "support/SharedFixture.h"
#include "support/TempDir.h"

using namespace zeb;
using namespace zeb::test;

namespace {

std::string Fixtures() { return std::string(ZEB_SHARED_DIR) + "/fixtures/"; }

// A reader wired to a fake prompter the way the library window wires it to the user.
struct ZipRig {
    FakePrompter prompter;
    ZipReader reader{prompter};
    TempDir scratch;

    ZipRig() { AnswerZipEvents(reader, prompter); }

    void Open(const std::string& archive)
    {
        reader.SetArchiveName(archive);
        reader.ReadDirectory();
        reader.ClearSelections();
        reader.SetDestination(scratch.Path().string());
    }

    // Extracts entry i as the import does; returns the path written, or "" when none was.
    std::string ExtractOne(int i)
    {
        std::string written;
        reader.Select(i);
        if (!reader.FileName(i).empty()) {
            reader.ExtractSelected();
            std::string path = scratch.File(reader.FileName(i));
            if (std::filesystem::exists(path))
                written = path;
        }
        reader.Deselect(i);
        return written;
    }

    int IndexOf(const std::string& name)
    {
        for (int i = 0; i < reader.Count(); ++i) {
            if (reader.FileName(i) == name)
                return i;
        }
        return -1;
    }
};

std::string ZipErrorOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const ZipError& e) {
        return e.what();
    }
    return "(no error)";
}

// A copy of a fixture archive with a 32-bit field of one central directory header (the one of
// the named entry) or of the end record patched.
std::string PatchedCopy(const TempDir& dir, const std::string& fixture, const std::string& entry,
                        size_t fieldOffset, uint32_t value, int width = 4)
{
    std::vector<uint8_t> bytes = ReadBytes(fixture);
    const uint8_t central[] = {'P', 'K', 1, 2}, end[] = {'P', 'K', 5, 6};
    size_t at = 0;
    for (; at + 22 <= bytes.size(); ++at) {
        bool isEnd = entry.empty() && std::equal(end, end + 4, &bytes[at]);
        bool isEntry = !entry.empty() && at + 46 + entry.size() <= bytes.size() &&
                       std::equal(central, central + 4, &bytes[at]) &&
                       std::string(reinterpret_cast<char*>(&bytes[at + 46]), entry.size()) == entry;
        if (isEnd || isEntry)
            break;
    }
    if (width == 4)
        StoreU32(&bytes[at + fieldOffset], value);
    else
        StoreU16(&bytes[at + fieldOffset], uint16_t(value));
    std::string path = dir.File("patched.zip");
    WriteBytes(path, bytes);
    return path;
}

}  // namespace

// Every member of every readable ZIP archive of the corpus comes out as the manifest says:
// stored, shrunk, reduced 1-4, imploded (both windows, two or three trees), deflated, data
// descriptors, Zip64 local headers, folders, directory entries, comments, encryption (with the
// manifest's passwords) and damaged CRCs.
TEST(ZipReader, ExtractsEveryCorpusMemberAsTheManifestSays)
{
    std::vector<ManifestRow> rows = LoadManifest("archives/zip/");
    if (rows.empty())
        GTEST_SKIP() << "fixture missing: " << Fixtures() << "MANIFEST.tsv";
    std::map<std::string, std::vector<ManifestRow>> byArchive;
    for (const ManifestRow& row : rows) {
        if (row.expected != "truncated" && row.expected != "not-an-archive")
            byArchive[row.archive].push_back(row);
    }
    EXPECT_GE(byArchive.size(), 25u);
    for (const auto& [archive, members] : byArchive) {
        SCOPED_TRACE(archive);
        ZipRig rig;
        std::map<std::string, std::string> passwords;
        for (const ManifestRow& row : members)
            passwords[row.path.substr(row.path.find_last_of('/') + 1)] = row.password;
        rig.prompter.passwordFor = [&](const std::string& member) { return passwords[member]; };
        rig.Open(Fixtures() + archive);
        ASSERT_EQ(rig.reader.Count(), int(members.size()));
        for (int i = 0; i < rig.reader.Count(); ++i) {
            auto row = std::find_if(members.begin(), members.end(), [&](const ManifestRow& r) {
                return r.storedName == rig.reader.StoredName(i);
            });
            ASSERT_NE(row, members.end()) << rig.reader.StoredName(i);
            SCOPED_TRACE(row->storedName);
            if (row->expected == "directory") {
                EXPECT_TRUE(rig.reader.ExternalAttributes(i) & 0x10);
                continue;
            }
            size_t messagesBefore = rig.prompter.messages.size();
            std::string written = rig.ExtractOne(i);
            if (row->expected == "crc-error") {
                EXPECT_EQ(written, "");
                ASSERT_EQ(rig.prompter.messages.size(), messagesBefore + 1);
                EXPECT_EQ(rig.prompter.messages.back().text,
                          "File CRC error\r\n" + rig.reader.FileName(i));
                continue;
            }
            ASSERT_NE(written, "");
            EXPECT_EQ(SizeAndCrc(written), std::make_pair(row->size, row->crc));
            EXPECT_EQ(rig.prompter.messages.size(), messagesBefore);
            std::filesystem::remove(written);
        }
        rig.reader.Forget();
        EXPECT_EQ(rig.reader.Count(), 0);
    }
}

TEST(ZipReader, ReadsSizesAndTheDirectoryFromZip64Records)
{
    ZipRig rig;
    rig.Open(ZEB_LIBRARY_TEST_DATA "/zip64.zip");
    ASSERT_EQ(rig.reader.Count(), 1);
    std::string written = rig.ExtractOne(0);
    ASSERT_NE(written, "");
    EXPECT_EQ(SizeAndCrc(written), std::make_pair(uint64_t(595), uint32_t(0x63d9c1a3)));
    EXPECT_TRUE(rig.prompter.messages.empty());
}

TEST(ZipReader, EntriesInFoldersLandInTheDestinationUnderTheirBareNames)
{
    ZEB_REQUIRE_FIXTURE(archive, "archives/zip/dirs.zip");
    ZipRig rig;
    rig.Open(archive);
    std::set<std::string> names;
    for (int i = 0; i < rig.reader.Count(); ++i) {
        if (!(rig.reader.ExternalAttributes(i) & 0x10)) {
            rig.reader.Select(i);
            names.insert(rig.reader.FileName(i));
        }
    }
    rig.reader.ExtractSelected();
    std::set<std::string> onDisk;
    for (const auto& file : std::filesystem::directory_iterator(rig.scratch.Path()))
        onDisk.insert(file.path().filename().string());
    EXPECT_EQ(names, (std::set<std::string>{"verse.txt", "prose.txt"}));
    EXPECT_EQ(onDisk, names);
}

TEST(ZipReader, NamesComeOutAsUtf8FromTheFlagOrTheOldCodePage)
{
    struct Case {
        const char* archive;
        std::string name;
    } cases[] = {
        {"archives/zip/name_utf8_flag.zip", "Маяк.txt"},
        {"archives/zip/name_utf8_noflag.zip", "Маяк.txt"},
        // CP866 bytes from a Unix host are not UTF-8: read as code page 437.
        {"archives/zip/name_cp866.zip", "îá∩¬.txt"},
    };
    ZEB_REQUIRE_FIXTURE(any, "archives/zip/name_cp866.zip");
    for (const Case& c : cases) {
        ZipRig rig;
        rig.Open(Fixtures() + c.archive);
        ASSERT_EQ(rig.reader.Count(), 1);
        EXPECT_EQ(rig.reader.FileName(0), c.name);
        EXPECT_EQ(rig.ExtractOne(0), rig.scratch.File(c.name));
    }
}

TEST(ZipReader, OnePasswordServesEveryEntryThatUsesIt)
{
    ZEB_REQUIRE_FIXTURE(archive, "archives/zip/encrypted_7z.zip");
    ZipRig rig;
    rig.prompter.passwordAnswers = {"secret"};
    rig.Open(archive);
    EXPECT_NE(rig.ExtractOne(0), "");
    EXPECT_NE(rig.ExtractOne(1), "");
    ASSERT_EQ(rig.prompter.passwordRequests.size(), 1u);
    EXPECT_EQ(rig.prompter.passwordRequests[0].archive, archive);
    EXPECT_EQ(rig.prompter.passwordRequests[0].member, "prose.txt");
}

// Info-ZIP's entries carry flag bit 3, so the check byte is the high byte of the time; a
// password change for one entry and back again for the next.
TEST(ZipReader, AsksAgainWhenTheCurrentPasswordFailsAndKeepsTheNewOne)
{
    ZEB_REQUIRE_FIXTURE(archive, "archives/zip/encrypted.zip");
    ZipRig rig;
    rig.prompter.passwordAnswers = {"secret", "other", "secret"};
    rig.Open(archive);
    for (int i = 0; i < rig.reader.Count(); ++i)
        EXPECT_NE(rig.ExtractOne(i), "") << rig.reader.FileName(i);
    std::vector<std::string> asked;
    for (const auto& request : rig.prompter.passwordRequests)
        asked.push_back(request.member);
    EXPECT_EQ(asked, (std::vector<std::string>{"prose.txt", "ru_cp1251.txt", "indented.txt"}));
    EXPECT_EQ(rig.reader.Password(), "secret");
    EXPECT_TRUE(rig.prompter.messages.empty());
}

TEST(ZipReader, CancellingOrRepeatingAWrongPasswordSkipsOnlyThatEntry)
{
    ZEB_REQUIRE_FIXTURE(archive, "archives/zip/encrypted_7z.zip");
    struct Case {
        std::deque<std::optional<std::string>> answers;
        size_t prompts;
    } cases[] = {
        {{std::nullopt, "secret"}, 2},
        {{"wrong", "wrong", "secret"}, 3},
    };
    for (const Case& c : cases) {
        ZipRig rig;
        rig.prompter.passwordAnswers = c.answers;
        rig.Open(archive);
        EXPECT_EQ(rig.ExtractOne(0), "");
        EXPECT_NE(rig.ExtractOne(1), "");
        EXPECT_EQ(rig.prompter.passwordRequests.size(), c.prompts);
        EXPECT_TRUE(rig.prompter.messages.empty());
    }
}

// One password in 256 passes the one-byte check although it is wrong; the data then fails its
// CRC, which asks for the password again instead of reporting damage.
TEST(ZipReader, AWrongPasswordThatPassesTheCheckByteAsksAgain)
{
    ZEB_REQUIRE_FIXTURE(archive, "archives/zip/encrypted_7z.zip");
    for (int candidate = 0; candidate < 5000; ++candidate) {
        ZipRig rig;
        rig.prompter.passwordAnswers = {"p" + std::to_string(candidate)};
        rig.Open(archive);
        std::string written = rig.ExtractOne(0);
        if (rig.prompter.passwordRequests.size() == 1)
            continue;
        EXPECT_EQ(written, "");
        EXPECT_EQ(rig.prompter.passwordRequests.size(), 2u);
        EXPECT_TRUE(rig.prompter.messages.empty());
        EXPECT_TRUE(std::filesystem::is_empty(rig.scratch.Path()));
        return;
    }
    FAIL() << "no candidate passed the check byte";
}

TEST(ZipReader, AnExistingFileIsReplacedOnlyWhenTheUserSaysYes)
{
    ZEB_REQUIRE_FIXTURE(archive, "archives/zip/stored.zip");
    for (PromptAnswer answer : {PromptAnswer::No, PromptAnswer::Yes}) {
        ZipRig rig;
        WriteBytes(rig.scratch.File("prose.txt"), {'o', 'l', 'd'});
        rig.prompter.messageAnswers = {answer};
        rig.Open(archive);
        rig.ExtractOne(0);
        ASSERT_EQ(rig.prompter.messages.size(), 1u);
        EXPECT_EQ(rig.prompter.messages[0].text, "Replace existing file prose.txt?");
        EXPECT_EQ(rig.prompter.messages[0].caption, "File Exists Alert");
        EXPECT_EQ(rig.prompter.messages[0].buttons, PromptButtons::YesNo);
        EXPECT_EQ(ReadBytes(rig.scratch.File("prose.txt")).size(),
                  answer == PromptAnswer::Yes ? 1911u : 3u);
    }
}

TEST(ZipReader, TheWrittenFileCarriesTheEntrysDosTime)
{
    ZEB_REQUIRE_FIXTURE(archive, "archives/zip/stored.zip");
    ZipRig rig;
    rig.Open(archive);
    std::string written = rig.ExtractOne(0);
    struct stat st {};
    ASSERT_EQ(stat(written.c_str(), &st), 0);
    std::tm local{};
    localtime_r(&st.st_mtime, &local);
    // Packed at 03:04:05; DOS times count in two-second steps, and Info-ZIP rounds up.
    EXPECT_EQ(std::vector<int>({local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                                local.tm_hour, local.tm_min, local.tm_sec}),
              std::vector<int>({2024, 1, 2, 3, 4, 6}));
}

TEST(ZipReader, DirectoryErrorsEndTheRunWithTheirMessages)
{
    ZEB_REQUIRE_FIXTURE(stored, "archives/zip/stored.zip");
    TempDir dir;
    struct Case {
        std::string archive;
        const char* error;
    } cases[] = {
        {Fixtures() + "archives/zip/notazip.zip", "Not a valid zip file!"},
        {Fixtures() + "archives/zip/empty.zip", "Not a valid zip file!"},
        {dir.File("missing.zip"), "Not a valid zip file!"},
        // Begins like a ZIP archive but its directory and end record are cut off.
        {Fixtures() + "archives/zip/truncated.zip", "Incomplete Zip File"},
    };
    for (const Case& c : cases) {
        ZipRig rig;
        EXPECT_EQ(ZipErrorOf([&] { rig.Open(c.archive); }), c.error) << c.archive;
        EXPECT_EQ(rig.reader.Count(), 0);
    }
    struct Patch {
        const char* entry;  // "" for the end record
        size_t offset;
        uint32_t value;
        int width;
        const char* error;
    } patches[] = {
        {"", 10, 6, 2, "Incomplete Zip File"},           // more entries than the directory holds
        {"", 16, 0x7FFFFF00, 4, "Incomplete Zip File"},  // directory past the end record
        {"", 12, 40, 4, "Incomplete Zip File"},          // directory cut inside its first header
        {"verse.txt", 0, 0, 4, "Not a valid zip file!"},  // a header without its signature
    };
    for (const Patch& p : patches) {
        ZipRig rig;
        std::string archive = PatchedCopy(dir, stored, p.entry, p.offset, p.value, p.width);
        EXPECT_EQ(ZipErrorOf([&] { rig.Open(archive); }), p.error) << p.offset;
    }
}

TEST(ZipReader, DataPastTheEndOfTheFileIsAPrematureEnd)
{
    ZEB_REQUIRE_FIXTURE(stored, "archives/zip/stored.zip");
    TempDir dir;
    ZipRig rig;
    rig.Open(PatchedCopy(dir, stored, "verse.txt", 20, 0x00FFFFFF));
    int verse = rig.IndexOf("verse.txt");
    EXPECT_EQ(ZipErrorOf([&] { rig.ExtractOne(verse); }), "Premature end of file reached");
    EXPECT_TRUE(std::filesystem::is_empty(rig.scratch.Path()));
}

TEST(ZipReader, UnknownMethodsAreReportedAndLeaveOnlyAnEmptyFileWithAnEmptyCrc)
{
    ZEB_REQUIRE_FIXTURE(stored, "archives/zip/stored.zip");
    TempDir dir;
    for (const char* entry : {"prose.txt", "empty.txt"}) {
        ZipRig rig;
        rig.Open(PatchedCopy(dir, stored, entry, 10, 7, 2));
        std::string written = rig.ExtractOne(rig.IndexOf(entry));
        std::vector<std::string> expected = {"Unknown Compression Method"};
        if (std::string(entry) == "prose.txt")
            expected.push_back("File CRC error\r\nprose.txt");
        EXPECT_EQ(rig.prompter.MessageTexts(), expected);
        EXPECT_EQ(rig.prompter.messages[0].caption, "Zip Error");
        EXPECT_EQ(written.empty(), std::string(entry) == "prose.txt");
    }
}

// A deflate stream that goes on past the declared size is cut there and fails like a CRC
// mismatch, so no archive can write more than it declares.
TEST(ZipReader, NothingBeyondTheDeclaredSizeIsWritten)
{
    ZEB_REQUIRE_FIXTURE(deflated, "archives/zip/deflated.zip");
    TempDir dir;
    ZipRig rig;
    rig.Open(PatchedCopy(dir, deflated, "large.txt", 24, 1000));
    EXPECT_EQ(rig.ExtractOne(rig.IndexOf("large.txt")), "");
    EXPECT_EQ(rig.prompter.MessageTexts(), std::vector<std::string>{"File CRC error\r\nlarge.txt"});
}
