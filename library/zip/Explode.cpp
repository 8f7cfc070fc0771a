// ZIP method 6, imploded: LZ77 over a 4 KiB or 8 KiB window whose symbols are coded with
// Shannon-Fano trees (APPNOTE.TXT, "Imploding - Method 6").
//
// Flag bit 1 of the entry selects the 8 KiB window (7 raw low distance bits instead of 6);
// flag bit 2 adds a tree for literals and raises the shortest match from 2 to 3 bytes.
// The data starts with the trees: the literal tree (256 symbols, only with flag bit 2), the
// length tree (64) and the distance tree (64). Each is a byte holding the number of bytes
// that follow minus one, then those bytes, each a run of equal bit lengths: low nibble the
// length minus one, high nibble the number of symbols minus one.
// Codes are handed out from the longest length up, symbols of equal length in their order,
// and the stream holds each code with its bits reversed, since it is read least significant
// bit first. A tree may leave bit patterns unused; meeting one means damaged data.
// Then, until the entry's size is reached, a 1 bit announces a literal (decoded from its tree,
// or 8 raw bits) and a 0 bit a match: the raw low distance bits, the high six from the distance
// tree, and the length from the length tree, where 63 means 8 raw bits more follow.
// The stream has no end marker: the size in the directory ends it.
#include <algorithm>
#include <memory>
#include <numeric>
#include <vector>

#include "library/zip/ZipHistory.h"
#include "library/zip/ZipMethods.h"

namespace zeb {
namespace {

constexpr uint16_t LargeWindowFlag = 0x0002;
constexpr uint16_t LiteralTreeFlag = 0x0004;
constexpr int MaxCodeBits = 16;
constexpr uint32_t LongLength = 63;

// A decoding table indexed by the next maxBits bits of the stream; each entry holds the
// symbol and its code length (0 for bit patterns no code starts).
class ShannonFanoTree {
public:
    // Reads the tree's run-length coded bit lengths and builds the codes; damaged when the
    // lengths do not describe count symbols or their codes overlap.
    void Read(ZipBitReader& bits, int count)
    {
        std::vector<uint8_t> lengths;
        int groups = int(bits.Get(8)) + 1;
        for (int g = 0; g < groups; ++g) {
            uint32_t run = bits.Get(8);
            lengths.insert(lengths.end(), (run >> 4) + 1, uint8_t((run & 0x0F) + 1));
        }
        if (int(lengths.size()) != count)
            throw ArchiveDataError();
        Build(lengths);
    }

    int Decode(ZipBitReader& bits) const
    {
        uint16_t entry = table_[bits.Peek(maxBits_)];
        if (entry == 0)
            throw ArchiveDataError();  // a bit pattern outside the tree
        bits.Skip(entry >> 8);
        return entry & 0xFF;
    }

private:
    // Codes counted upwards from the longest, left-aligned in 16 bits.
    void Build(const std::vector<uint8_t>& lengths)
    {
        std::vector<int> order(lengths.size());
        std::iota(order.begin(), order.end(), 0);
        std::stable_sort(order.begin(), order.end(),
                         [&](int a, int b) { return lengths[a] < lengths[b]; });
        std::vector<uint32_t> codes(lengths.size());
        uint32_t code = 0, increment = 0, lastLength = 0;
        for (size_t i = order.size(); i-- > 0;) {
            code += increment;
            uint32_t length = lengths[order[i]];
            if (length != lastLength) {
                lastLength = length;
                increment = 1u << (MaxCodeBits - length);
            }
            codes[order[i]] = code;
        }
        if (code + increment > 1u << MaxCodeBits)
            throw ArchiveDataError();  // more codes than the lengths leave room for
        maxBits_ = *std::max_element(lengths.begin(), lengths.end());
        table_.assign(size_t(1) << maxBits_, 0);
        for (size_t s = 0; s < lengths.size(); ++s)
            Place(uint16_t(s), lengths[s], codes[s]);
    }

    void Place(uint16_t symbol, int length, uint32_t code)
    {
        uint32_t reversed = 0;
        for (int k = 0; k < length; ++k)
            reversed |= ((code >> (MaxCodeBits - 1 - k)) & 1) << k;
        for (size_t i = reversed; i < table_.size(); i += size_t(1) << length)
            table_[i] = uint16_t(length << 8 | symbol);
    }

    std::vector<uint16_t> table_;
    int maxBits_ = 0;
};

class Exploder {
public:
    Exploder(ZipInput& in, ExtractedFile& out, uint64_t size, uint16_t flags)
        : bits_(in), window_(ZipHistory(out, size)), hasLiteralTree_(flags & LiteralTreeFlag),
          lowBits_(flags & LargeWindowFlag ? 7 : 6), minimumMatch_(hasLiteralTree_ ? 3 : 2)
    {
    }

    void Run()
    {
        if (hasLiteralTree_)
            literals_.Read(bits_, 256);
        lengths_.Read(bits_, 64);
        distances_.Read(bits_, 64);
        while (!window_.Done()) {
            if (bits_.Get(1))
                Literal();
            else
                Match();
        }
        window_.Finish();
    }

private:
    void Literal()
    {
        int literal = hasLiteralTree_ ? literals_.Decode(bits_) : int(bits_.Get(8));
        window_.Literal(uint8_t(literal));
    }

    void Match()
    {
        uint32_t low = bits_.Get(lowBits_);
        uint32_t high = uint32_t(distances_.Decode(bits_));
        uint32_t count = uint32_t(lengths_.Decode(bits_));
        if (count == LongLength)
            count += bits_.Get(8);
        window_.Match(int32_t(high << lowBits_ | low), int32_t(count + minimumMatch_));
    }

    ZipBitReader bits_;
    SlidingWindow window_;
    bool hasLiteralTree_;
    int lowBits_;
    uint32_t minimumMatch_;
    ShannonFanoTree literals_, lengths_, distances_;
};

}  // namespace

void Explode(ZipInput& in, ExtractedFile& out, uint64_t size, uint16_t flags)
{
    auto exploder = std::make_unique<Exploder>(in, out, size, flags);
    exploder->Run();
}

}  // namespace zeb
