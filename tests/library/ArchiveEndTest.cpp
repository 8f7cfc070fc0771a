#include <filesystem>
#include <functional>

#include <gtest/gtest.h>

#include "ExtractorTestSupport.h"
#include "library/ArchiveReaders.h"
#include "library/arj/ZEBArj.h"
#include "platform/FileIO.h"
#include "platform/LittleEndian.h"
#include "storage/ZEBIOFailure.h"
#include "support/FakePrompter.h"

namespace zeb::test {
namespace {

namespace fs = std::filesystem;
using Kind = ArchiveEnd::Kind;
using Bytes = std::vector<uint8_t>;

std::string Corpus(const std::string& relative)
{
    return std::string(ZEB_SHARED_DIR) + "/fixtures/archives/" + relative;
}

std::string Replace(std::string text, const std::string& from, const std::string& to)
{
    for (size_t at; (at = text.find(from)) != std::string::npos;)
        text.replace(at, from.size(), to);
    return text;
}

// One archive walked as the import walks it, and how the walk must end. The archive is made in
// work; "{scratch}" and "{work}" in the text stand for those folders.
struct Case {
    const char* what;
    ArchiveKind kind;
    std::function<std::string(const TempDir& work)> make;
    Kind end;
    std::string text;
    bool noScratch = false;  // the scratch folder is missing
};

std::function<std::string(const TempDir&)> Fixture(const std::string& relative)
{
    return [relative](const TempDir&) { return Corpus(relative); };
}

// A copy of a corpus archive changed by edit.
std::function<std::string(const TempDir&)> Edited(const std::string& relative,
                                                  std::function<void(Bytes&)> edit)
{
    return [relative, edit](const TempDir& work) {
        return EditedCopy(Corpus(relative), work, fs::path(relative).filename().string(), edit);
    };
}

std::function<std::string(const TempDir&)> Cut(const std::string& relative, size_t keep)
{
    return Edited(relative, [keep](Bytes& b) { b.resize(std::min(b.size(), keep)); });
}

// Walks the archive with no password given and every missing volume refused.
ArchiveEnd Walk(ArchiveKind kind, const std::string& archive, const std::string& scratch,
                FakePrompter& prompter)
{
    prompter.messageAnswers = {PromptAnswer::Cancel};
    ArchiveReaders readers(prompter);
    return readers.ForEachMember(kind, archive, scratch,
                                 [](const std::string& path) { fs::remove(path); });
}

void Check(const Case& c)
{
    SCOPED_TRACE(c.what);
    TempDir work, scratch;
    const std::string archive = c.make(work);
    const std::string folder = c.noScratch ? scratch.File("gone") : scratch.Path().string();
    FakePrompter prompter;
    ArchiveEnd end = Walk(c.kind, archive, folder, prompter);
    std::string text =
        Replace(Replace(c.text, "{scratch}", folder), "{work}", work.Path().string());
    EXPECT_EQ(end.Text(), text);
    EXPECT_EQ(end.kind, c.end);
    EXPECT_EQ(end.IsNormal(), c.end == Kind::Normal);
    EXPECT_TRUE(fs::is_empty(scratch.Path()));
}

}  // namespace

// What is wrong with the file itself, the same for every extractor.
TEST(ArchiveEnd, EveryExtractorSaysWhatIsWrongWithTheFile)
{
    ZEB_REQUIRE_FIXTURE(any, "archives/arj/m1.arj");
    const struct {
        ArchiveKind kind;
        const char* archive;
        const char* format;
    } formats[] = {
        {ArchiveKind::Arj, "arj/m1.arj", "an ARJ archive"},
        {ArchiveKind::Lzh, "lzh/lh5_level0.lzh", "an LZH archive"},
        {ArchiveKind::Ha, "ha/cpy.ha", "an HA archive"},
        {ArchiveKind::Rar, "rar/rar5.rar", "a RAR archive"},
    };
    for (const auto& f : formats) {
        Case cases[] = {
            {"intact", f.kind, Fixture(f.archive), Kind::Normal, "ended normally"},
            {"missing", f.kind, [](const TempDir& w) { return w.File("gone.x"); }, Kind::Missing,
             "no such file"},
            {"empty", f.kind,
             [](const TempDir& w) {
                 WriteBytes(w.File("empty.x"), {});
                 return w.File("empty.x");
             },
             Kind::Empty, "the file is empty"},
            {"a folder", f.kind, [](const TempDir& w) { return w.Path().string(); },
             Kind::Unreadable, "unreadable: not a regular file"},
            {"a text", f.kind, [](const TempDir&) { return SharedFixture("texts/verse.txt"); },
             Kind::NotOfFormat, std::string("not ") + f.format},
        };
        for (const Case& c : cases) {
            SCOPED_TRACE(f.archive);
            Check(c);
        }
    }
}

TEST(ArchiveEnd, DamageAndUnreadMethodsNameTheMember)
{
    ZEB_REQUIRE_FIXTURE(any, "archives/arj/m1.arj");
    const Case cases[] = {
        // ARJ ends at a damaged member; a missing end marker is damage too.
        {"arj crc", ArchiveKind::Arj, Fixture("arj/damaged.arj"), Kind::Damaged,
         "damaged at member 1 (prose.txt)"},
        {"arj end marker", ArchiveKind::Arj,
         Edited("arj/m0.arj", [](Bytes& b) { b.resize(b.size() - 4); }), Kind::Damaged,
         "damaged at member 7"},
        // LZH and HA go on past a damaged member and still name it at the end.
        {"lzh crc", ArchiveKind::Lzh, Fixture("lzh/damaged.lzh"), Kind::Damaged,
         "damaged at member 1 (prose.txt)"},
        {"lzh header cut", ArchiveKind::Lzh, Cut("lzh/lh0_level0.lzh", 33 + 1911 + 10),
         Kind::Damaged, "damaged at member 2"},
        {"lzh method", ArchiveKind::Lzh,
         Edited("lzh/lh0_level0.lzh",
                [](Bytes& b) {
                    b[5] = '1';  // -lh0- becomes -lh1-, and the header checksum follows
                    ++b[1];
                }),
         Kind::UnknownMethod,
         "member 1 (prose.txt) uses a method this program does not read: -lh1-"},
        {"lzh directory", ArchiveKind::Lzh, Fixture("lzh/dirs_level0.lzh"), Kind::Directory,
         "stopped at member 2 (library\\), a directory entry"},
        {"ha crc", ArchiveKind::Ha, Fixture("ha/damaged_cpy.ha"), Kind::Damaged,
         "damaged at member 1 (prose.txt)"},
        {"ha header cut", ArchiveKind::Ha, Cut("ha/cpy.ha", 10), Kind::Damaged,
         "damaged at member 1"},
        {"ha version", ArchiveKind::Ha, Edited("ha/cpy.ha", [](Bytes& b) { b[4] = 0x30; }),
         Kind::Damaged, "damaged at member 1 (prose.txt)"},
        {"ha method", ArchiveKind::Ha, Edited("ha/cpy.ha", [](Bytes& b) { b[4] = 0x23; }),
         Kind::UnknownMethod,
         "member 1 (prose.txt) uses a method this program does not read: method 3"},
        {"ha directory", ArchiveKind::Ha, Fixture("ha/dir2.ha"), Kind::Directory,
         "stopped at member 2 (library), a directory entry"},
        // The UnRAR library's codes.
        {"rar crc", ArchiveKind::Rar, Fixture("rar/damaged5.rar"), Kind::Damaged,
         "damaged at member 1 (prose.txt)"},
        {"rar data cut", ArchiveKind::Rar,
         [](const TempDir& w) {
             Bytes b = ReadBytes(ZEB_LIBRARY_TEST_DATA "/note.rar");
             b.resize(150);
             WriteBytes(w.File("cut.rar"), b);
             return w.File("cut.rar");
         },
         Kind::Damaged, "damaged at member 2 (after.txt)"},
        {"rar password", ArchiveKind::Rar, Fixture("rar/encrypted5.rar"), Kind::Password,
         "member 1 (prose.txt) needs the right password"},
        {"rar header password", ArchiveKind::Rar, Fixture("rar/encrypted_headers5.rar"),
         Kind::Password, "its headers need the right password"},
        {"rar volume", ArchiveKind::Rar,
         [](const TempDir& w) {
             fs::copy_file(Corpus("rar/multivol5_missing/vol5.part01.rar"),
                           w.File("vol5.part01.rar"));
             return w.File("vol5.part01.rar");
         },
         Kind::Missing,
         "member 2 (large.txt) continues in a missing volume: {work}/vol5.part02.rar"},
    };
    for (const Case& c : cases)
        Check(c);
}

// A member's file that cannot be created ends the walk with the failure's path and cause.
TEST(ArchiveEnd, AnUncreatableMemberFileEndsTheWalkWithItsCause)
{
    ZEB_REQUIRE_FIXTURE(any, "archives/arj/m0.arj");
    const std::string text = "cannot create {scratch}/prose.txt: No such file or directory";
    Case cases[] = {
        {"arj", ArchiveKind::Arj, Fixture("arj/m0.arj"), Kind::IOFailure, text, true},
        {"lzh", ArchiveKind::Lzh, Fixture("lzh/lh0_level0.lzh"), Kind::IOFailure, text, true},
        {"ha", ArchiveKind::Ha, Fixture("ha/cpy.ha"), Kind::IOFailure, text, true},
        {"rar", ArchiveKind::Rar, Fixture("rar/rar5.rar"), Kind::IOFailure, text, true},
    };
    for (const Case& c : cases)
        Check(c);
}

// A write that fails: ARJ, LZH and HA pass the failure on as before and keep it as the reason;
// RAR reports "Write error" and ends with the failure's text.
TEST(ArchiveEnd, AFailedWriteIsKeptWithItsCause)
{
    ZEB_REQUIRE_FIXTURE(arj, "archives/arj/m0.arj");
    ZEB_REQUIRE_FIXTURE(rar, "archives/rar/rar5.rar");
    const std::string cause = "cannot write {scratch}/prose.txt: Input/output error";
    {
        TempDir scratch;
        ZEBArj extractor;
        SetFileChangeBudgetForTesting(0);
        EXPECT_THROW(extractor.Open(arj, scratch.Path().string()), ZEBIOFailure);
        SetFileChangeBudgetForTesting(-1);
        EXPECT_EQ(extractor.EndReason().kind, Kind::IOFailure);
        EXPECT_EQ(extractor.EndReason().Text(),
                  Replace(cause, "{scratch}", scratch.Path().string()));
    }
    TempDir scratch;
    FakePrompter prompter;
    SetFileChangeBudgetForTesting(0);
    ArchiveEnd end = Walk(ArchiveKind::Rar, rar, scratch.Path().string(), prompter);
    SetFileChangeBudgetForTesting(-1);
    EXPECT_EQ(prompter.MessageTexts(), std::vector<std::string>{"Write error\r\nprose.txt"});
    EXPECT_EQ(end.kind, Kind::IOFailure);
    EXPECT_EQ(end.Text(), Replace(cause, "{scratch}", scratch.Path().string()));
}

}  // namespace zeb::test
