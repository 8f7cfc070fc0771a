#include <zlib.h>

#include <gtest/gtest.h>

#include "library/lzh/ZEBLZH.h"
#include "tests/library/ExtractorTestSupport.h"

using namespace zeb;
using namespace zeb::test;

namespace {

const std::vector<std::string> FiveTexts = {"prose.txt", "verse.txt", "ru_cp866.txt",
                                            "allbytes.bin", "empty.txt"};

std::vector<Extracted> Extract(const std::string& archive, const TempDir& out)
{
    ZEBLZH lzh;
    return ExtractAll(lzh, archive, out);
}

}  // namespace

TEST(ZEBLZH, ReadsEveryHeaderLevelAndMethod)
{
    std::vector<std::string> withLarge = FiveTexts;
    withLarge.insert(withLarge.begin() + 4, "large.txt");
    struct Case {
        const char* archive;
        std::vector<std::string> names;
    } cases[] = {
        {"archives/lzh/lh0_level0.lzh", FiveTexts},
        {"archives/lzh/lh5_level0.lzh", withLarge},
        {"archives/lzh/lh5_level1.lzh", FiveTexts},
        {"archives/lzh/lh5_level2.lzh", FiveTexts},
        {"archives/lzh/lh4_patched.lzh", {"prose.txt"}},
        // 32 KiB and 64 KiB windows.
        {"archives/lzh/lh6_level2.lzh", {"large.txt"}},
        {"archives/lzh/lh7_level2.lzh", {"large.txt"}},
    };
    for (const Case& c : cases) {
        ZEB_REQUIRE_CORPUS(path, std::string(c.archive));
        TempDir out;
        auto files = Extract(path, out);
        EXPECT_EQ(Names(files), c.names) << c.archive;
        ExpectSourceTexts(files);
    }
}

TEST(ZEBLZH, DecodesARealLh4Archive)
{
    ZEB_REQUIRE_FIXTURE(path, "archives/lzh/external/test-amiga-l0-lh4.lha");
    TempDir out;
    auto files = Extract(path, out);
    ASSERT_EQ(Names(files), std::vector<std::string>{"lorem-ipsum.txt"});
    EXPECT_EQ(files[0].bytes.size(), 144060u);
    EXPECT_EQ(crc32(0, files[0].bytes.data(), uInt(files[0].bytes.size())), 0xb9034f7eu);
}

TEST(ZEBLZH, DirectoryEntryEndsTheArchive)
{
    struct Case {
        const char* archive;
        std::vector<std::string> names;
    } cases[] = {
        {"archives/lzh/dirs_level0.lzh", {"indented.txt"}},
        {"archives/lzh/dirs_level0_slash.lzh", {"indented.txt"}},
        {"archives/lzh/dirs_level1.lzh", {"indented.txt"}},
        {"archives/lzh/dirs_level2.lzh", {"indented.txt"}},
    };
    for (const Case& c : cases) {
        ZEB_REQUIRE_CORPUS(path, std::string(c.archive));
        TempDir out;
        auto files = Extract(path, out);
        EXPECT_EQ(Names(files), c.names) << c.archive;
        ExpectSourceTexts(files);
        EXPECT_TRUE(FolderIsEmpty(out));
    }
}

TEST(ZEBLZH, DamagedMemberIsDroppedAndTheNextOneExtracted)
{
    ZEB_REQUIRE_FIXTURE(path, "archives/lzh/damaged.lzh");
    TempDir out;
    auto files = Extract(path, out);
    EXPECT_EQ(Names(files), std::vector<std::string>{"verse.txt"});
    ExpectSourceTexts(files);
}

TEST(ZEBLZH, DamagedHeaderEndsTheArchive)
{
    ZEB_REQUIRE_FIXTURE(level0, "archives/lzh/lh0_level0.lzh");
    ZEB_REQUIRE_FIXTURE(level2, "archives/lzh/lh5_level2.lzh");
    TempDir dir;
    // The second header of each: a level-0 checksum, a level-2 header CRC.
    std::string badChecksum = EditedCopy(level0, dir, "a.lzh", [](auto& b) {
        size_t second = b[0] + 2u + 1911;  // first header, then prose.txt stored
        b[second + 1] ^= 0x01;
    });
    std::string badCrc = EditedCopy(level2, dir, "b.lzh", [](auto& b) {
        size_t second = size_t(b[0] | b[1] << 8) + size_t(b[7] | b[8] << 8);
        b[second + 33] ^= 0x01;  // a byte of the name in its extension header
    });
    for (const std::string& path : {badChecksum, badCrc}) {
        TempDir out;
        auto files = Extract(path, out);
        EXPECT_EQ(Names(files), std::vector<std::string>{"prose.txt"}) << path;
    }
}

TEST(ZEBLZH, TruncatedArchiveEndsCleanly)
{
    ZEB_REQUIRE_FIXTURE(path, "archives/lzh/lh5_level0.lzh");
    std::vector<uint8_t> whole = ReadBytes(path);
    for (size_t keep : {size_t(1), size_t(30), size_t(600), whole.size() / 2, whole.size() - 1}) {
        TempDir dir, out;
        std::vector<uint8_t> cut(whole.begin(), whole.begin() + std::ptrdiff_t(keep));
        WriteBytes(dir.File("cut.lzh"), cut);
        auto files = Extract(dir.File("cut.lzh"), out);
        ExpectSourceTexts(files);
        EXPECT_TRUE(FolderIsEmpty(out)) << keep;
    }
}

// Each text is a block of distinct lines written twice, so the second copy comes from matches
// reaching back a whole block: 24.6 KiB for -lh6-, 49 KiB for -lh7-.
TEST(ZEBLZH, Lh6AndLh7MatchesReachBackTheirWholeWindow)
{
    auto twice = [](size_t size) {
        std::string block;
        char line[64];
        for (int i = 0; block.size() < size; ++i) {
            std::snprintf(line, sizeof line, "%05d: no line of this block is like another one.\n",
                          i);
            block += line;
        }
        std::string text = block + block;
        return std::vector<uint8_t>(text.begin(), text.end());
    };
    struct Case {
        const char* archive;
        const char* name;
        size_t block;
    } cases[] = {
        {"lh6_far.lzh", "far24k.txt", 24 * 1024},
        {"lh7_far.lzh", "far48k.txt", 48 * 1024},
    };
    for (const Case& c : cases) {
        TempDir out;
        auto files = Extract(std::string(ZEB_LIBRARY_TEST_DATA "/") + c.archive, out);
        ASSERT_EQ(Names(files), std::vector<std::string>{c.name}) << c.archive;
        EXPECT_TRUE(files[0].bytes == twice(c.block)) << c.archive;
    }
}
