// Method 6 (imploded): literals and back references coded with Shannon-Fano trees. Flag bit 1
// selects the 8 KiB window (7 low distance bits instead of 6), flag bit 2 a third tree for the
// literals (and a minimum match of 3 instead of 2).
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
    // Reads the tree's run-length coded bit lengths and builds the codes; false when the
    // lengths do not describe count symbols or their codes overlap.
    bool Read(ZipBitReader& bits, int count)
    {
        std::vector<uint8_t> lengths;
        int groups = int(bits.Get(8)) + 1;
        for (int g = 0; g < groups; ++g) {
            uint32_t run = bits.Get(8);
            lengths.insert(lengths.end(), (run >> 4) + 1, uint8_t((run & 0x0F) + 1));
        }
        return !bits.Overrun() && int(lengths.size()) == count && Build(lengths);
    }

    // The next symbol, or -1 for a bit pattern outside the tree.
    int Decode(ZipBitReader& bits) const
    {
        uint16_t entry = table_[bits.Peek(maxBits_)];
        if (entry == 0)
            return -1;
        bits.Skip(entry >> 8);
        return entry & 0xFF;
    }

private:
    // Codes as the APPNOTE assigns them: symbols ordered by bit length (stable), counted
    // upwards from the longest, left-aligned in 16 bits; the stream holds them bit-reversed.
    bool Build(const std::vector<uint8_t>& lengths)
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
            return false;
        maxBits_ = *std::max_element(lengths.begin(), lengths.end());
        table_.assign(size_t(1) << maxBits_, 0);
        for (size_t s = 0; s < lengths.size(); ++s)
            Place(uint16_t(s), lengths[s], codes[s]);
        return true;
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

    bool Run()
    {
        if ((hasLiteralTree_ && !literals_.Read(bits_, 256)) || !lengths_.Read(bits_, 64) ||
            !distances_.Read(bits_, 64))
            return false;
        while (!window_.Done()) {
            bool ok = bits_.Get(1) ? Literal() : Match();
            if (!ok || bits_.Overrun())
                return false;
        }
        window_.Finish();
        return true;
    }

private:
    bool Literal()
    {
        int literal = hasLiteralTree_ ? literals_.Decode(bits_) : int(bits_.Get(8));
        if (literal < 0)
            return false;
        window_.Literal(uint8_t(literal));
        return true;
    }

    bool Match()
    {
        uint32_t low = bits_.Get(lowBits_);
        int high = distances_.Decode(bits_);
        int length = lengths_.Decode(bits_);
        if (high < 0 || length < 0)
            return false;
        uint32_t count = uint32_t(length);
        if (count == LongLength)
            count += bits_.Get(8);
        window_.Match(int32_t(uint32_t(high) << lowBits_ | low), int32_t(count + minimumMatch_));
        return true;
    }

    ZipBitReader bits_;
    SlidingWindow window_;
    bool hasLiteralTree_;
    int lowBits_;
    uint32_t minimumMatch_;
    ShannonFanoTree literals_, lengths_, distances_;
};

}  // namespace

bool Explode(ZipInput& in, ExtractedFile& out, uint64_t size, uint16_t flags)
{
    auto exploder = std::make_unique<Exploder>(in, out, size, flags);
    return exploder->Run();
}

}  // namespace zeb
