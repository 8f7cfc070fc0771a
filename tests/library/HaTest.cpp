#include <gtest/gtest.h>

#include "library/ha/ZEB_HA.h"
#include "platform/LittleEndian.h"
#include "tests/library/ExtractorTestSupport.h"

using namespace zeb;
using namespace zeb::test;

namespace {

std::vector<Extracted> Extract(const std::string& archive, const TempDir& out)
{
    ZEB_HA ha;
    return ExtractAll(ha, archive, out);
}

}  // namespace

TEST(ZEB_HA, EveryMethodDecodesTheCorpusTexts)
{
    // asc.ha and cpy.ha hold the same texts, so ASC and CPY give identical files; large.txt
    // fills the HSC context tables and has them recycled.
    for (const char* archive : {"cpy.ha", "asc.ha", "hsc.ha"}) {
        ZEB_REQUIRE_CORPUS(path, "archives/ha/" + std::string(archive));
        TempDir out;
        auto files = Extract(path, out);
        EXPECT_EQ(Names(files), SixTexts) << archive;
        ExpectSourceTexts(files);
    }
    ZEB_REQUIRE_FIXTURE(mixed, "archives/ha/mixed.ha");
    TempDir out;
    auto files = Extract(mixed, out);
    EXPECT_EQ(files.size(), 5u);
    ExpectSourceTexts(files);
}

TEST(ZEB_HA, DirectoryMemberEndsTheArchive)
{
    struct Case {
        const char* archive;
        std::vector<std::string> names;
    } cases[] = {
        {"archives/ha/dir2.ha", {"prose.txt"}},
        {"archives/ha/paths.ha", {}},
    };
    for (const Case& c : cases) {
        ZEB_REQUIRE_CORPUS(path, std::string(c.archive));
        TempDir out;
        ZEB_HA ha;
        auto files = ExtractAll(ha, path, out);
        EXPECT_EQ(Names(files), c.names) << c.archive;
        ExpectSourceTexts(files);
        EXPECT_EQ(ha.Next(), "");
    }
}

TEST(ZEB_HA, DamagedMemberIsDroppedAndTheNextOneExtracted)
{
    for (const char* archive : {"archives/ha/damaged_cpy.ha", "archives/ha/damaged_hsc.ha"}) {
        ZEB_REQUIRE_CORPUS(path, std::string(archive));
        TempDir out;
        auto files = Extract(path, out);
        EXPECT_EQ(Names(files), std::vector<std::string>{"verse.txt"}) << archive;
        ExpectSourceTexts(files);
    }
}

TEST(ZEB_HA, MemberProducingMoreThanItsSizeIsDropped)
{
    ZEB_REQUIRE_FIXTURE(path, "archives/ha/hsc.ha");
    TempDir dir, out;
    // prose.txt, the first member, claims 100 bytes.
    std::string edited = EditedCopy(path, dir, "small.ha", [](auto& b) { StoreU32(&b[9], 100); });
    auto files = Extract(edited, out);
    EXPECT_EQ(Names(files).front(), "verse.txt");
    EXPECT_EQ(files.size(), 5u);
    ExpectSourceTexts(files);
}

TEST(ZEB_HA, OnlyFilesStartingWithHAAreRead)
{
    ZEB_REQUIRE_FIXTURE(path, "archives/ha/cpy.ha");
    TempDir dir, out;
    std::string edited = EditedCopy(path, dir, "x.ha", [](auto& b) { b[1] = 'B'; });
    ZEB_HA ha;
    EXPECT_EQ(ha.Open(edited, out.Path().string()), "");
    EXPECT_EQ(ha.Next(), "");
    EXPECT_TRUE(FolderIsEmpty(out));
}

TEST(ZEB_HA, TruncatedArchiveEndsCleanly)
{
    for (const char* archive : {"archives/ha/hsc.ha", "archives/ha/asc.ha"}) {
        ZEB_REQUIRE_CORPUS(path, std::string(archive));
        std::vector<uint8_t> whole = ReadBytes(path);
        for (size_t keep : {size_t(3), size_t(20), size_t(700), whole.size() - 2}) {
            TempDir dir, out;
            std::vector<uint8_t> cut(whole.begin(), whole.begin() + std::ptrdiff_t(keep));
            WriteBytes(dir.File("cut.ha"), cut);
            auto files = Extract(dir.File("cut.ha"), out);
            ExpectSourceTexts(files);
            EXPECT_TRUE(FolderIsEmpty(out)) << archive << " " << keep;
        }
    }
}
