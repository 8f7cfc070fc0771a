#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <numeric>
#include <string>
#include <vector>

#include "storage/ZEBFile.h"
#include "storage/ZEBIOFailure.h"
#include "support/TempDir.h"

using namespace zeb;

namespace {

// 16-byte clusters make every boundary easy to reach.
constexpr int Shift = 4;

std::vector<uint8_t> Pattern(size_t n)
{
    std::vector<uint8_t> bytes(n);
    std::iota(bytes.begin(), bytes.end(), uint8_t(1));
    return bytes;
}

class ZEBFileTest : public ::testing::Test {
protected:
    void Create(const std::vector<uint8_t>& bytes) { test::WriteBytes(path, bytes); }
    std::vector<uint8_t> OnDisk() { return test::ReadBytes(path); }
    // Changes the file behind the cache's back, to see which bytes a write-back touches.
    void Poke(off_t at, uint8_t value)
    {
        int fd = ::open(path.c_str(), O_WRONLY);
        ASSERT_EQ(::pwrite(fd, &value, 1, at), 1);
        ::close(fd);
    }

    test::TempDir dir;
    std::string path = dir.File("f");
    ZEBFile file;
};

}  // namespace

TEST_F(ZEBFileTest, WritesAcrossClustersReadBackAndReachTheDiskOnClose)
{
    file.Open(path, FileAccess::CreateNew, Shift, 2);
    std::vector<uint8_t> data = Pattern(100);
    file.Write(5, data.data(), 100);
    EXPECT_EQ(file.Size(), 105);
    std::vector<uint8_t> back(100);
    file.Read(5, back.data(), 100);
    EXPECT_EQ(back, data);
    file.Close();
    std::vector<uint8_t> disk = OnDisk();
    ASSERT_EQ(disk.size(), 105u);
    EXPECT_EQ(std::vector<uint8_t>(disk.begin() + 5, disk.end()), data);
}

TEST_F(ZEBFileTest, ClustersAreKeptInMostRecentlyUsedOrder)
{
    Create(std::vector<uint8_t>(64, 0));
    file.Open(path, FileAccess::ReadWrite, Shift, 2);
    file.ReadU8(0);   // clusters: 0
    file.ReadU8(16);  // 16, 0
    file.ReadU8(0);   // 0, 16: cluster 16 is now the least recently used
    Poke(0, 0xAA);
    Poke(16, 0xBB);
    file.ReadU8(32);  // evicts 16, keeps 0
    EXPECT_EQ(file.ReadU8(0), 0) << "cluster 0 was still cached";
    EXPECT_EQ(file.ReadU8(16), 0xBB) << "cluster 16 was read again";
}

TEST_F(ZEBFileTest, EvictionWritesBackOnlyTheDirtyRange)
{
    Create(std::vector<uint8_t>(64, 0));
    file.Open(path, FileAccess::ReadWrite, Shift, 1);
    file.WriteU8(5, 0x55);
    file.WriteU8(7, 0x77);
    Poke(4, 0x44);  // outside the dirty range [5, 7]: must survive
    Poke(6, 0x66);  // inside it: overwritten with the cached byte
    Poke(8, 0x88);
    file.ReadU8(16);  // evicts cluster 0
    std::vector<uint8_t> disk = OnDisk();
    EXPECT_EQ(disk[4], 0x44);
    EXPECT_EQ(disk[5], 0x55);
    EXPECT_EQ(disk[6], 0x00);
    EXPECT_EQ(disk[7], 0x77);
    EXPECT_EQ(disk[8], 0x88);
}

TEST_F(ZEBFileTest, WritesStayInTheCacheUntilFlush)
{
    Create(std::vector<uint8_t>(16, 0));
    file.Open(path, FileAccess::ReadWrite, Shift, 2);
    file.WriteU32(0, 0x04030201);
    EXPECT_EQ(OnDisk()[0], 0);
    file.Flush();
    EXPECT_EQ(OnDisk()[0], 1);
    EXPECT_EQ(OnDisk()[3], 4);
    EXPECT_EQ(file.ReadU32(0), 0x04030201u);
    EXPECT_EQ(file.ReadU16(1), 0x0302);
}

TEST_F(ZEBFileTest, TruncateKeepsBytesBelowTheCutAndDropsClustersAboveIt)
{
    file.Open(path, FileAccess::CreateNew, Shift, 3);
    std::vector<uint8_t> data = Pattern(48);
    file.Write(0, data.data(), 48);  // three dirty clusters, none on disk yet
    file.Truncate(20);
    EXPECT_EQ(file.Size(), 20);
    file.Close();
    std::vector<uint8_t> disk = OnDisk();
    EXPECT_EQ(disk, std::vector<uint8_t>(data.begin(), data.begin() + 20))
        << "the straddling cluster must not write back past the cut";
}

TEST_F(ZEBFileTest, TruncateThenWriteGrowsAgain)
{
    Create(Pattern(40));
    file.Open(path, FileAccess::ReadWrite, Shift, 2);
    file.ReadU8(32);
    file.Truncate(10);
    file.WriteU16(10, 0xBEEF);
    EXPECT_EQ(file.Size(), 12);
    EXPECT_EQ(file.ReadU8(9), 10);
    file.Close();
    std::vector<uint8_t> disk = OnDisk();
    ASSERT_EQ(disk.size(), 12u);
    EXPECT_EQ(disk[10], 0xEF);
    EXPECT_EQ(disk[11], 0xBE);
}

TEST_F(ZEBFileTest, ReadCStringStopsAtZeroLogicalEndOrMaximum)
{
    std::string text = std::string("one") + '\0' + "two" + '\0' + "three-and-more";
    Create(std::vector<uint8_t>(text.begin(), text.end()));
    file.Open(path, FileAccess::Read, Shift, 2);
    EXPECT_EQ(file.ReadCString(0, 100), "one");
    EXPECT_EQ(file.ReadCString(8, 5), "three");
    EXPECT_EQ(file.ReadCString(8, 100), "three-and-more");
    int32_t position = 0;
    EXPECT_EQ(file.ReadCString(position), "one");
    EXPECT_EQ(position, 4);
    EXPECT_EQ(file.ReadCString(position), "two");
    EXPECT_EQ(position, 8);
    EXPECT_EQ(file.ReadCString(position), "three-and-more");
    EXPECT_EQ(position, file.Size()) << "no terminator: the position stops at the end";
}

TEST_F(ZEBFileTest, EveryAccessWhileClosedOrOutOfRangeRaisesTheFailure)
{
    auto expectFailure = [](auto&& call) {
        try {
            call();
            ADD_FAILURE() << "no failure raised";
        } catch (const ZEBIOFailure& failure) {
            EXPECT_EQ(failure.Code(), 1);
        }
    };
    uint8_t b = 0;
    expectFailure([&] { file.Read(0, &b, 1); });
    expectFailure([&] { file.Write(0, &b, 1); });
    expectFailure([&] { file.Flush(); });
    expectFailure([&] { file.GetCluster(0); });
    expectFailure([&] { file.Open(dir.File("missing"), FileAccess::Read, Shift, 2); });
    expectFailure([&] { file.Open(dir.Path().string(), FileAccess::Read, Shift, 2); });
    file.Close();  // closing a closed file does nothing

    file.Open(path, FileAccess::CreateNew, Shift, 2);
    expectFailure([&] { file.Read(-1, &b, 1); });
    expectFailure([&] { file.Write(0x7FFFFFFF, &b, 1); });
    file.Close();
    expectFailure([&] { file.ReadU8(0); });
}

TEST_F(ZEBFileTest, ShortReadOfAFileCutBehindTheCacheRaisesTheFailure)
{
    Create(Pattern(64));
    file.Open(path, FileAccess::Read, Shift, 1);
    ASSERT_EQ(::truncate(path.c_str(), 8), 0);
    EXPECT_THROW(file.ReadU8(40), ZEBIOFailure);
}
