// A canonical Huffman code with a direct lookup table and a small tree for longer codes; used
// by StaticHuffmanDecoder for ARJ methods 1 to 3 and LHA's -lh4- to -lh7-.
#pragma once

#include <cstdint>
#include <vector>

#include "library/common/BitInput.h"

namespace zeb {

// A canonical Huffman code as ARJ and LHA transmit it: code lengths per symbol, codes handed
// out in order of length and then symbol. Codes up to tableBits long are looked up directly
// from the top bits of the input; longer ones continue in a small binary tree.
class HuffmanTable {
public:
    HuffmanTable(int symbolCount, int tableBits);

    // Builds the code from lengths[0 .. symbolCount); lengths of 0 mark unused symbols.
    // Raises ArchiveDataError unless the lengths fill the 16-bit code space exactly.
    void Build(const uint8_t* lengths);
    // Every lookup gives symbol, consuming no bits.
    void SetSingle(int symbol);

    int SymbolCount() const { return symbolCount_; }

    int Decode(BitInput& in) const
    {
        uint16_t bits = in.Peek16();
        int s = table_[bits >> (16 - tableBits_)];
        if (s >= symbolCount_) {
            uint16_t mask = uint16_t(1u << (15 - tableBits_));
            do {
                s = (bits & mask) ? right_[size_t(s)] : left_[size_t(s)];
                mask >>= 1;
            } while (s >= symbolCount_);
        }
        in.Skip(lengths_[size_t(s)]);
        return s;
    }

private:
    int symbolCount_;
    int tableBits_;
    std::vector<uint16_t> table_;
    std::vector<uint8_t> lengths_;
    std::vector<uint16_t> left_;   // tree nodes, numbered from symbolCount up
    std::vector<uint16_t> right_;
};

}  // namespace zeb
