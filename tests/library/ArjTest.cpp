#include <zlib.h>

#include <cstdlib>
#include <filesystem>

#include <gtest/gtest.h>

#include "library/arj/ZEBArj.h"
#include "platform/LittleEndian.h"
#include "tests/library/ExtractorTestSupport.h"

using namespace zeb;
using namespace zeb::test;

namespace {

uint32_t Crc(const std::vector<uint8_t>& b) { return uint32_t(crc32(0, b.data(), uInt(b.size()))); }

struct ArjEntry {
    std::string name;
    std::vector<uint8_t> data;       // as stored
    uint8_t method = 0;
    uint8_t fileType = 0;
    uint32_t originalSize = 0;
    uint32_t crc = 0;
};

// One ARJ header: id, size, basic header, its CRC and an empty extended header list.
void AppendHeader(std::vector<uint8_t>& out, const ArjEntry& e)
{
    std::vector<uint8_t> basic(30);
    basic[0] = 30;  // first header size
    basic[1] = 11;
    basic[2] = 1;   // minimum version to extract
    basic[5] = e.method;
    basic[6] = e.fileType;
    StoreU32(&basic[12], uint32_t(e.data.size()));
    StoreU32(&basic[16], e.originalSize);
    StoreU32(&basic[20], e.crc);
    basic.insert(basic.end(), e.name.begin(), e.name.end());
    basic.push_back(0);
    basic.push_back(0);  // comment
    uint8_t head[4] = {0x60, 0xEA};
    StoreU16(head + 2, uint16_t(basic.size()));
    out.insert(out.end(), head, head + 4);
    out.insert(out.end(), basic.begin(), basic.end());
    uint8_t crc[4];
    StoreU32(crc, Crc(basic));
    out.insert(out.end(), crc, crc + 4);
    out.push_back(0);
    out.push_back(0);
}

ArjEntry Stored(const std::string& name, const std::string& text)
{
    ArjEntry e{name, std::vector<uint8_t>(text.begin(), text.end())};
    e.originalSize = uint32_t(text.size());
    e.crc = Crc(e.data);
    return e;
}

std::string WriteArj(const TempDir& dir, const std::vector<ArjEntry>& entries)
{
    std::vector<uint8_t> bytes;
    AppendHeader(bytes, ArjEntry{"made.arj", {}, 0, 2});
    for (const ArjEntry& e : entries) {
        AppendHeader(bytes, e);
        bytes.insert(bytes.end(), e.data.begin(), e.data.end());
    }
    bytes.insert(bytes.end(), {0x60, 0xEA, 0, 0});
    std::string path = dir.File("made.arj");
    WriteBytes(path, bytes);
    return path;
}

}  // namespace

TEST(ZEBArj, EveryMethodDecodesTheCorpusTexts)
{
    for (const char* archive : {"m0.arj", "m1.arj", "m2.arj", "m3.arj", "m4.arj"}) {
        ZEB_REQUIRE_CORPUS(path, "archives/arj/" + std::string(archive));
        TempDir out;
        ZEBArj arj;
        auto files = ExtractAll(arj, path, out);
        EXPECT_EQ(Names(files), SixTexts) << archive;
        ExpectSourceTexts(files);
    }
}

TEST(ZEBArj, FindsTheArchiveBehindAProgramStub)
{
    ZEB_REQUIRE_FIXTURE(path, "archives/arj/sfx_stub.arj");
    TempDir out;
    ZEBArj arj;
    auto files = ExtractAll(arj, path, out);
    EXPECT_EQ(Names(files), (std::vector<std::string>{"prose.txt", "verse.txt"}));
    ExpectSourceTexts(files);
}

TEST(ZEBArj, SkipsEncryptedMembersDirectoriesAndFolderParts)
{
    struct Case {
        const char* archive;
        std::vector<std::string> names;
    } cases[] = {
        {"archives/arj/encrypted.arj", {"verse.txt", "ru_cp866.txt"}},
        {"archives/arj/paths.arj", {"indented.txt", "verse.txt", "prose.txt", "ru_cp866.txt"}},
    };
    for (const Case& c : cases) {
        ZEB_REQUIRE_CORPUS(path, std::string(c.archive));
        TempDir out;
        ZEBArj arj;
        auto files = ExtractAll(arj, path, out);
        EXPECT_EQ(Names(files), c.names) << c.archive;
        ExpectSourceTexts(files);
    }
}

TEST(ZEBArj, SameBareNameIsExtractedAgainOnceTheFirstIsGone)
{
    ZEB_REQUIRE_FIXTURE(path, "archives/arj/samename.arj");
    TempDir out;
    ZEBArj arj;
    auto files = ExtractAll(arj, path, out);
    ASSERT_EQ(Names(files), (std::vector<std::string>{"readme.txt", "readme.txt"}));
    EXPECT_TRUE(files[0].bytes == SourceText("prose.txt"));
    EXPECT_TRUE(files[1].bytes == SourceText("verse.txt"));

    // Left in place, the first one keeps the second from being written over it.
    TempDir kept;
    std::string first = arj.Open(path, kept.Path().string());
    EXPECT_EQ(arj.Next(), "");
    EXPECT_TRUE(ReadBytes(first) == SourceText("prose.txt"));
}

TEST(ZEBArj, DamagedMemberEndsTheArchiveAndLeavesNoFile)
{
    for (const char* archive : {"archives/arj/damaged.arj", "archives/arj/damaged_stored.arj"}) {
        ZEB_REQUIRE_CORPUS(path, std::string(archive));
        TempDir out;
        ZEBArj arj;
        EXPECT_EQ(arj.Open(path, out.Path().string()), "") << archive;
        EXPECT_EQ(arj.Next(), "");
        EXPECT_TRUE(FolderIsEmpty(out)) << archive;
    }
}

TEST(ZEBArj, NamesFromOtherSystemsKeepTheirBytes)
{
    ZEB_REQUIRE_FIXTURE(path, "archives/arj/external/bla.arj");
    TempDir out;
    ZEBArj arj;
    auto files = ExtractAll(arj, path, out);
    ASSERT_EQ(Names(files), (std::vector<std::string>{"test1.xml", "test2.xml"}));
    EXPECT_EQ(Crc(files[0].bytes), 0x1b9bd1eeu);
    EXPECT_EQ(Crc(files[1].bytes), 0x757e523du);

    // Debian's arj records host OS 2 (UNIX); a UTF-8 name comes back unchanged.
    if (std::system("command -v arj >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "arj is not installed";
    TempDir work;
    const std::string name = "\xd0\xba\xd0\xbd\xd0\xb8\xd0\xb3\xd0\xb0.txt";
    WriteBytes(work.File(name), SourceText("verse.txt"));
    std::string command = "cd '" + work.Path().string() + "' && arj a -i -y -m1 made.arj '" +
                          name + "' >/dev/null 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0);
    TempDir made;
    auto madeFiles = ExtractAll(arj, work.File("made.arj"), made);
    ASSERT_EQ(Names(madeFiles), std::vector<std::string>{name});
    EXPECT_TRUE(madeFiles[0].bytes == SourceText("verse.txt"));
}

TEST(ZEBArj, UnusableOrTakenNamesAreSkipped)
{
    TempDir dir, out;
    WriteBytes(out.File("taken.txt"), {'o', 'l', 'd'});
    std::string path = WriteArj(dir, {Stored("..", "a"), Stored("sub/..", "b"), Stored("", "c"),
                                      Stored("../../escape.txt", "d"), Stored("taken.txt", "e")});
    ZEBArj arj;
    auto files = ExtractAll(arj, path, out);
    ASSERT_EQ(Names(files), std::vector<std::string>{"escape.txt"});
    EXPECT_EQ(files[0].bytes, std::vector<uint8_t>{'d'});
    EXPECT_EQ(ReadBytes(out.File("taken.txt")), (std::vector<uint8_t>{'o', 'l', 'd'}));
    EXPECT_FALSE(std::filesystem::exists(dir.Path().parent_path() / "escape.txt"));
}

TEST(ZEBArj, BadDataEndsTheArchiveWithoutAFile)
{
    ArjEntry incompleteCode{"code.txt", {0x00, 0x01, 0x09, 0, 0, 0}, 1};  // one length of 1
    incompleteCode.originalSize = 10;
    for (bool truncate : {false, true}) {
        TempDir dir, out;
        std::string path = truncate ? WriteArj(dir, {Stored("cut.txt", "0123456789")})
                                    : WriteArj(dir, {incompleteCode, Stored("after.txt", "x")});
        if (truncate)  // the end marker and half the data
            std::filesystem::resize_file(path, std::filesystem::file_size(path) - 9);
        ZEBArj arj;
        EXPECT_EQ(arj.Open(path, out.Path().string()), "") << truncate;
        EXPECT_TRUE(FolderIsEmpty(out)) << truncate;
    }
}

TEST(ZEBArj, FilesThatAreNotArchivesOpenToNothing)
{
    TempDir dir, out;
    WriteBytes(dir.File("text.arj"), std::vector<uint8_t>(30000, 'x'));
    ZEBArj arj;
    EXPECT_EQ(arj.Open(dir.File("text.arj"), out.Path().string()), "");
    EXPECT_EQ(arj.Open(dir.File("missing.arj"), out.Path().string()), "");
    EXPECT_EQ(arj.Next(), "");
    arj.Close();
    arj.Close();
}
