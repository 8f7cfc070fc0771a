#include <gtest/gtest.h>

#include "library/common/ArchiveDataError.h"
#include "library/common/BitInput.h"
#include "library/common/Crc.h"
#include "library/common/HuffmanTable.h"
#include "library/common/SlidingWindow.h"
#include "support/TempDir.h"

using namespace zeb;
using namespace zeb::test;

namespace {

struct Collect : ByteSink {
    std::vector<uint8_t> bytes;
    void Put(const uint8_t* data, size_t count) override { bytes.insert(bytes.end(), data, data + count); }
};

// A file of the given bytes opened through the file layer.
struct ArchiveFile {
    explicit ArchiveFile(const std::vector<uint8_t>& bytes)
    {
        WriteBytes(dir.File("a"), bytes);
        file.Open(dir.File("a"), FileAccess::Read, 16, 3);
    }
    TempDir dir;
    ZEBFile file;
};

}  // namespace

TEST(DecoderParts, CrcCheckValues)
{
    const std::string check = "123456789";
    const auto* data = reinterpret_cast<const uint8_t*>(check.data());
    EXPECT_EQ(Crc32::Of(data, check.size()), 0xCBF43926u);
    EXPECT_EQ(Crc16::Of(data, check.size()), 0xBB3Du);
    EXPECT_EQ(Crc32::Of(data, 0), 0u);
}

TEST(DecoderParts, HuffmanTableNeedsACompleteCode)
{
    // Lengths 1, 2, 3, 3 fill the code space: codes 0, 10, 110, 111 (the last two beyond the
    // 2-bit table, in the tree).
    ArchiveFile input({0b01011011, 0b10000000});
    HuffmanTable table(4, 2);
    const uint8_t complete[] = {1, 2, 3, 3};
    table.Build(complete);
    BitInput in(input.file, 0, 2);
    EXPECT_EQ(table.Decode(in), 0);
    EXPECT_EQ(table.Decode(in), 1);
    EXPECT_EQ(table.Decode(in), 2);
    EXPECT_EQ(table.Decode(in), 3);

    const uint8_t incomplete[] = {1, 2, 3, 0};
    const uint8_t oversubscribed[] = {1, 1, 1, 0};
    const uint8_t tooLong[] = {1, 17, 0, 0};
    EXPECT_THROW(table.Build(incomplete), ArchiveDataError);
    EXPECT_THROW(table.Build(oversubscribed), ArchiveDataError);
    EXPECT_THROW(table.Build(tooLong), ArchiveDataError);
    EXPECT_THROW(table.SetSingle(4), ArchiveDataError);
}

TEST(DecoderParts, SlidingWindowRepeatsOverlapsAndRefusesFarDistances)
{
    Collect sink;
    SlidingWindow window(8, sink, 12);
    window.Literal('a');
    window.Literal('b');
    window.Match(1, 20);  // cut to the 12 bytes the member holds
    EXPECT_TRUE(window.Done());
    window.Finish();
    EXPECT_EQ(std::string(sink.bytes.begin(), sink.bytes.end()), "abababababab");
    EXPECT_THROW(window.Match(8, 1), ArchiveDataError);
}

TEST(DecoderParts, BitInputFeedsZerosThenGivesUp)
{
    ArchiveFile input({0xA5});
    BitInput in(input.file, 0, 1);
    EXPECT_EQ(in.Get(8), 0xA5u);
    EXPECT_EQ(in.Get(16), 0u);
    EXPECT_THROW(
        for (int i = 0; i < 100; ++i) in.Get(16), ArchiveDataError);
}
