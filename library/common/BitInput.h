// Bit input, most significant bit first, over a member's bytes; read by the ARJ and LHA
// decoders (StaticHuffmanDecoder, HuffmanTable, ArjFastestDecoder).
#pragma once

#include <cstdint>

#include "library/common/ByteInput.h"

namespace zeb {

// Most-significant-bit-first input of a member's compressed data, as ARJ and LHA write it.
// After the data, zero bytes are fed in; a decoder that goes on reading well past them is
// reading garbage and raises ArchiveDataError instead of running on.
class BitInput {
public:
    BitInput(ZEBFile& archive, int64_t start, int64_t length);

    // The next 16 bits without consuming them.
    uint16_t Peek16() const { return uint16_t(bits_ >> 48); }

    void Skip(int n)
    {
        bits_ <<= n;
        count_ -= n;
        if (count_ < 16)
            Refill();
    }

    // The next n bits (0 <= n <= 16) as a number.
    uint32_t Get(int n)
    {
        uint32_t value = n ? uint32_t(bits_ >> (64 - n)) : 0;
        Skip(n);
        return value;
    }

    bool GetBit() { return Get(1) != 0; }

private:
    void Refill();

    ByteInput source_;
    uint64_t bits_ = 0;     // left-aligned
    int count_ = 0;         // valid bits in bits_
    int64_t fetched_ = 0;   // bytes taken into bits_, the fed zero bytes included
};

}  // namespace zeb
