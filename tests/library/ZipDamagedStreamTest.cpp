#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "library/common/ExtractedFile.h"
#include "library/zip/ZipArchiveFile.h"
#include "library/zip/ZipInput.h"
#include "library/zip/ZipMethods.h"
#include "support/TempDir.h"

namespace zeb::test {
namespace {

// A bit stream packed least significant bit first, as the ZIP methods read it.
class Bits {
public:
    // value's low width bits, lowest first: how numbers are stored.
    Bits& Put(uint32_t value, int width)
    {
        for (int i = 0; i < width; ++i)
            Bit((value >> i) & 1);
        return *this;
    }
    // A Huffman code of deflate, its highest bit first.
    Bits& Code(uint32_t code, int width)
    {
        for (int i = width - 1; i >= 0; --i)
            Bit((code >> i) & 1);
        return *this;
    }
    Bits& Repeat(int times, const std::function<void(Bits&)>& add)
    {
        for (int i = 0; i < times; ++i)
            add(*this);
        return *this;
    }
    std::vector<uint8_t> Bytes() const { return bytes_; }

private:
    void Bit(uint32_t b)
    {
        if (count_ % 8 == 0)
            bytes_.push_back(0);
        bytes_.back() = uint8_t(bytes_.back() | b << (count_ % 8));
        ++count_;
    }

    std::vector<uint8_t> bytes_;
    int count_ = 0;
};

// Implode trees: 64 symbols of one bit length, in four runs of 16.
Bits& Tree64(Bits& bits, int length)
{
    return bits.Put(3, 8).Repeat(4, [length](Bits& b) { b.Put(0xF0 | (length - 1), 8); });
}

// Reduce's follower sets, all empty but the one of byte value 0.
Bits& FollowerSets(Bits& bits, const std::vector<uint8_t>& followersOfZero)
{
    bits.Repeat(255, [](Bits& b) { b.Put(0, 6); }).Put(uint32_t(followersOfZero.size()), 6);
    for (uint8_t f : followersOfZero)
        bits.Put(f, 8);
    return bits;
}

struct DamagedStream {
    std::string what;
    uint16_t method;
    uint16_t flags;
    uint64_t size;  // as the entry declares it
    std::vector<uint8_t> data;
};

std::vector<DamagedStream> DamagedStreams()
{
    constexpr uint16_t Shrunk = 1, Imploded = 6, Deflated = 8;
    constexpr uint8_t Dle = 144;
    Bits overFull = Bits().Put(3, 8).Repeat(4, [](Bits& b) { b.Put(0xF0, 8); });
    Bits codeOutsideTree;
    Tree64(codeOutsideTree, 7);  // half the code space: every code starts with a 0 bit
    Tree64(codeOutsideTree, 6).Put(0, 1).Put(0, 6).Put(0, 6).Put(0x7F, 7);
    Bits endsEarly;
    Tree64(endsEarly, 6);
    Tree64(endsEarly, 6).Put(1, 1).Put('A', 8);
    std::vector<DamagedStream> streams = {
        {"implode: no data", Imploded, 0, 10, {}},
        {"implode: a tree of one symbol", Imploded, 0, 10, Bits().Put(0, 8).Put(5, 8).Bytes()},
        {"implode: an over-full tree", Imploded, 0, 10, overFull.Bytes()},
        {"implode: a code outside the tree", Imploded, 0, 10, codeOutsideTree.Bytes()},
        {"implode: data ending before the entry", Imploded, 0, 100, endsEarly.Bytes()},
        {"implode 8K, three trees: a cut literal tree", Imploded, 6, 10, {0xFF}},

        {"shrink: a code never defined", Shrunk, 0, 10, Bits().Put(300, 9).Bytes()},
        {"shrink: a code ahead of the next free one", Shrunk, 0, 10,
         Bits().Put('A', 9).Put(258, 9).Bytes()},
        {"shrink: an unknown control code", Shrunk, 0, 10,
         Bits().Put('A', 9).Put(256, 9).Put(3, 9).Bytes()},
        {"shrink: codes wider than 13 bits", Shrunk, 0, 10,
         Bits().Put(256, 9).Put(1, 9).Put(256, 10).Put(1, 10).Put(256, 11).Put(1, 11)
             .Put(256, 12).Put(1, 12).Put(256, 13).Put(1, 13).Bytes()},
        {"shrink: data ending before the entry", Shrunk, 0, 10, Bits().Put('A', 9).Bytes()},
        {"shrink: more than the entry's size", Shrunk, 0, 2,
         Bits().Put('A', 9).Put(257, 9).Bytes()},

        {"deflate: no data", Deflated, 0, 5, {}},
        {"deflate: block type 3", Deflated, 0, 5, {0x07}},
        {"deflate: a stored length without its complement", Deflated, 0, 5,
         {0x01, 0x05, 0x00, 0x00, 0x00, 'h', 'e', 'l', 'l', 'o'}},
        {"deflate: data ending inside a block", Deflated, 0, 5,
         {0x01, 0x05, 0x00, 0xFA, 0xFF, 'h', 'e'}},
        // A fixed-code block whose first symbol copies from before the start.
        {"deflate: a distance before the start", Deflated, 0, 5,
         Bits().Put(1, 1).Put(1, 2).Code(1, 7).Code(0, 5).Code(0, 7).Bytes()},
        {"deflate: more than the entry's size", Deflated, 0, 3,
         {0x01, 0x05, 0x00, 0xFA, 0xFF, 'h', 'e', 'l', 'l', 'o'}},
    };
    for (uint16_t method = 2; method <= 5; ++method) {
        std::string reduce = "reduce " + std::to_string(method - 1) + ": ";
        Bits pastTheSet;
        FollowerSets(pastTheSet, {'a', 'b', 'c'}).Put(0, 1).Put(3, 2);
        Bits cutRun;
        FollowerSets(cutRun, {}).Put(Dle, 8);
        streams.push_back({reduce + "no data", method, 0, 5, {}});
        streams.push_back({reduce + "an index past the follower set", method, 0, 5,
                           pastTheSet.Bytes()});
        streams.push_back({reduce + "data ending inside a run", method, 0, 10, cutRun.Bytes()});
    }
    return streams;
}

}  // namespace

// Each decoder meets damage only through the one channel: the entry comes out Damaged, and
// nothing worse happens (no other exception, no write beyond the declared size; a crash or a
// hang fails the suite, under the sanitizers too).
TEST(ZipMethods, DamagedStreamsComeOutDamagedAndNothingWorse)
{
    for (const DamagedStream& stream : DamagedStreams()) {
        SCOPED_TRACE(stream.what);
        TempDir dir;
        WriteBytes(dir.File("data"), stream.data);
        ZipArchiveFile file;
        file.Open(dir.File("data"));
        ZipInput in(file, 0, stream.data.size(), nullptr);
        ExtractedFile out(dir.File("out"), stream.size);
        ZipDecodeResult result = ZipDecodeResult::Done;
        EXPECT_NO_THROW(
            result = DecodeZipData(stream.method, stream.flags, stream.size, in, out));
        EXPECT_EQ(result, ZipDecodeResult::Damaged);
        EXPECT_LE(out.Written(), stream.size);
    }
}

}  // namespace zeb::test
