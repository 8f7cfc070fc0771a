#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "support/TempDir.h"
#include "storage/ZEBCrypt.h"
#include "storage/ZEBFile.h"

using namespace zeb;

namespace {

std::string DigestHex(const std::string& input, size_t piece = std::string::npos)
{
    ZEBCrypt crypt;
    for (size_t at = 0; at < input.size(); at += piece)
        crypt.Update(reinterpret_cast<const uint8_t*>(input.data()) + at,
                     std::min(piece, input.size() - at));
    std::string hex;
    char buf[3];
    for (uint8_t b : crypt.Final()) {
        std::snprintf(buf, sizeof buf, "%02x", b);
        hex += buf;
    }
    return hex;
}

}  // namespace

// Pinned with the 80-bit arithmetic: a double-precision source, another rounding of x', or a
// changed key gives other values.
TEST(ZEBCrypt, RandomSourceFirstDraws)
{
    const long double expected[] = {
        0xb.1a85d5d3ede78p-4L, 0xc.e19023754d8bc4p-4L, 0xd.092d00529d1e3p-5L,
        0xf.6c38f8112798f8p-4L, 0xd.c9b116c9f124dp-6L, 0x9.f816ee1731e54p-4L,
    };
    ZEBRandom random(SignatureKey);
    for (long double e : expected)
        EXPECT_EQ(random.Next(), e);
}

TEST(ZEBCrypt, PermutationFirstEntriesAndShape)
{
    const ZEBPermutation& p = ZEBCrypt::Permutation(SignatureKey);
    const uint16_t forward[] = {30104, 5300, 41765, 33534, 20277, 15283, 58885, 44713};
    const uint16_t inverse[] = {30313, 25441, 8217, 31081, 16249, 51906, 6262, 32716};
    for (int x = 0; x < 8; ++x) {
        EXPECT_EQ(p.forward[x], forward[x]) << x;
        EXPECT_EQ(p.inverse[x], inverse[x]) << x;
    }
    // Still one circular order of all 65536 values, with G the inverse of F.
    int visited = 0;
    uint16_t x = 0;
    do {
        ASSERT_EQ(p.inverse[p.forward[x]], x);
        x = p.forward[x];
        ++visited;
    } while (x != 0 && visited <= 65536);
    EXPECT_EQ(visited, 65536);
    EXPECT_EQ(&p, &ZEBCrypt::Permutation(SignatureKey));
}

TEST(ZEBCrypt, DigestKnownAnswers)
{
    EXPECT_EQ(DigestHex(""), "00000000000000000000000000000000");
    EXPECT_EQ(DigestHex("a"), "3f799a901b46822a3b2351d054f34969");
    EXPECT_EQ(DigestHex("ZEB Book Reader"), "49affde0389ae16864df813c41c5096f");
    EXPECT_EQ(DigestHex(std::string(100, 'x')), "a5c8884a304632475b8abb601c4a7ab8");
}

TEST(ZEBCrypt, DigestDoesNotDependOnHowTheInputIsCut)
{
    std::string text;
    for (int i = 0; i < 1000; ++i)
        text += char('A' + i % 53);
    std::string whole = DigestHex(text);
    for (size_t piece : {1, 7, 16, 33})
        EXPECT_EQ(DigestHex(text, piece), whole) << piece;
}

// Whole blocks take a faster path than blocks gathered byte by byte; both give one digest.
TEST(ZEBCrypt, WholeBlocksAndGatheredBytesDigestAlike)
{
    std::string bytes;
    uint32_t x = 1;
    for (int i = 0; i < 4096; ++i)
        bytes += char((x = x * 1103515245u + 12345u) >> 23);
    std::string whole = DigestHex(bytes);
    for (size_t piece : {1, 15, 17})
        EXPECT_EQ(DigestHex(bytes, piece), whole) << piece;
}

// A digest of no bytes could never fill a block: such an object cannot be made.
TEST(ZEBCrypt, RefusesADigestOfNoBytesOrNoRounds)
{
    EXPECT_THROW(ZEBCrypt(0), std::invalid_argument);
    EXPECT_THROW(ZEBCrypt(-16), std::invalid_argument);
    EXPECT_THROW(ZEBCrypt(SignatureSize, 0), std::invalid_argument);
}

TEST(ZEBCrypt, StartsAfreshAfterEachDigest)
{
    const uint8_t first[] = {'a'}, second[] = {'Z', 'E', 'B'};
    ZEBCrypt reused;
    reused.Update(first, sizeof first);
    reused.Final();
    reused.Update(second, sizeof second);
    ZEBCrypt fresh;
    fresh.Update(second, sizeof second);
    EXPECT_EQ(reused.Final(), fresh.Final());
}

// A two-half file signed like a book: [0, 100) signed at 100, [116, 200) signed at 200.
class BlockSignature : public ::testing::Test {
protected:
    void SetUp() override
    {
        ZEBFile file;
        file.Open(path, FileAccess::CreateNew, 12, 2);
        for (int32_t p = 0; p < 200; ++p)
            file.WriteU8(p, uint8_t(p * 7));
        file.Sign(0, 100);
        file.Sign(116, 200);
        file.Close();
    }

    bool Verifies()
    {
        ZEBFile file;
        file.Open(path, FileAccess::Read, 12, 2);
        return file.Verify(0, 100) && file.Verify(116, 200);
    }

    test::TempDir dir;
    std::string path = dir.File("book");
};

TEST_F(BlockSignature, IntactFileVerifies)
{
    EXPECT_TRUE(Verifies());
    EXPECT_EQ(test::ReadBytes(path).size(), 216u);
}

TEST_F(BlockSignature, OneChangedByteInEitherHalfFails)
{
    for (size_t at : {0, 57, 99, 100, 116, 150, 199, 215}) {
        std::vector<uint8_t> original = test::ReadBytes(path);
        std::vector<uint8_t> changed = original;
        changed[at] ^= 0x01;
        test::WriteBytes(path, changed);
        EXPECT_FALSE(Verifies()) << "byte " << at;
        test::WriteBytes(path, original);
    }
    EXPECT_TRUE(Verifies());
}

TEST_F(BlockSignature, FileOneByteShortFails)
{
    std::vector<uint8_t> bytes = test::ReadBytes(path);
    bytes.pop_back();
    test::WriteBytes(path, bytes);
    EXPECT_FALSE(Verifies());
}

TEST_F(BlockSignature, RangeEndingBeforeItsStartIsBad)
{
    ZEBFile file;
    file.Open(path, FileAccess::Read, 12, 2);
    EXPECT_FALSE(file.Verify(116, 100));
    EXPECT_FALSE(file.Verify(0, -16));
    EXPECT_TRUE(file.Verify(116, 200));
}
