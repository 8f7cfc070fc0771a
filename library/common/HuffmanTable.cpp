// Builds the code from its lengths (shorter codes first, equal lengths in symbol order) and
// refuses lengths that do not fill the code space exactly.
#include "library/common/HuffmanTable.h"

#include <algorithm>

#include "library/common/ArchiveDataError.h"

namespace zeb {

namespace {

constexpr int MaxCodeLength = 16;

}  // namespace

HuffmanTable::HuffmanTable(int symbolCount, int tableBits)
    : symbolCount_(symbolCount), tableBits_(tableBits), table_(size_t(1) << tableBits),
      lengths_(size_t(symbolCount)), left_(size_t(2 * symbolCount)),
      right_(size_t(2 * symbolCount))
{
}

void HuffmanTable::SetSingle(int symbol)
{
    if (symbol < 0 || symbol >= symbolCount_)
        throw ArchiveDataError();
    std::fill(lengths_.begin(), lengths_.end(), uint8_t(0));
    std::fill(table_.begin(), table_.end(), uint16_t(symbol));
}

void HuffmanTable::Build(const uint8_t* lengths)
{
    uint32_t count[MaxCodeLength + 1] = {};
    for (int s = 0; s < symbolCount_; ++s) {
        if (lengths[s] > MaxCodeLength)
            throw ArchiveDataError();
        ++count[lengths[s]];
    }
    // Kraft sum: a complete prefix code fills the 16-bit code space exactly.
    uint32_t next[MaxCodeLength + 1] = {};
    uint32_t code = 0;
    for (int len = 1; len <= MaxCodeLength; ++len) {
        next[len] = code;
        code += count[len] << (MaxCodeLength - len);
    }
    if (code != (1u << MaxCodeLength))
        throw ArchiveDataError();

    std::copy(lengths, lengths + symbolCount_, lengths_.begin());
    const uint16_t unset = 0xFFFF;
    std::fill(table_.begin(), table_.end(), unset);
    int avail = symbolCount_;
    for (int s = 0; s < symbolCount_; ++s) {
        int len = lengths[s];
        if (len == 0)
            continue;
        uint32_t first = next[len];  // left-aligned in 16 bits
        next[len] += 1u << (MaxCodeLength - len);
        if (len <= tableBits_) {
            auto begin = table_.begin() + (first >> (MaxCodeLength - tableBits_));
            std::fill(begin, begin + (1 << (tableBits_ - len)), uint16_t(s));
            continue;
        }
        // Complete codes need at most symbolCount - 1 inner nodes, so avail stays in range.
        uint16_t* slot = &table_[first >> (MaxCodeLength - tableBits_)];
        for (int bit = MaxCodeLength - tableBits_ - 1; bit >= MaxCodeLength - len; --bit) {
            if (*slot == unset) {
                left_[size_t(avail)] = right_[size_t(avail)] = unset;
                *slot = uint16_t(avail++);
            }
            slot = ((first >> bit) & 1) ? &right_[*slot] : &left_[*slot];
        }
        *slot = uint16_t(s);
    }
}

}  // namespace zeb
