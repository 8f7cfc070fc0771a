// The arithmetic decoder under HA's ASC and HSC models; notes in HaArithmeticDecoder.cpp.
#pragma once

#include <cstdint>

#include "library/common/ByteInput.h"

namespace zeb {

// The binary arithmetic decoder of HA's ASC and HSC methods, with 16-bit registers. It reads
// from the member's data to the end of the archive: a damaged member may take bytes of the next
// one before its end symbol comes. Past the end of the archive it reads 1 bits; reading on far
// past it raises ArchiveDataError.
class HaArithmeticDecoder {
public:
    HaArithmeticDecoder(ZEBFile& archive, int64_t start);

    // Where the code value lies in [0, total).
    uint32_t Threshold(uint32_t total) const;
    // Takes the symbol that occupies [from, to) of total.
    void Consume(uint32_t from, uint32_t to, uint32_t total);

private:
    int NextBit();
    int NextByte();

    ByteInput input_;
    int overrun_ = 0;  // bytes asked for past the end of the archive
    uint16_t high_ = 0xFFFF;
    uint16_t low_ = 0;
    uint16_t code_ = 0;
    uint16_t bits_ = 0;
};

}  // namespace zeb
