// The binary arithmetic decoder of HA, with 16-bit high, low and code registers.
// A model asks where the code lies within a total (Threshold), then takes its symbol's range
// [from, to) of that total (Consume), which narrows [low, high] to that part. Once both ends
// agree in their top bit, the bit is settled: it is shifted out and a new input bit comes into
// the code. While the interval sits closely around the middle (low's second bit set, high's
// clear), the second bits are dropped instead and the top bit of the code flipped, so that the
// interval never gets too narrow to split.
// Input bits come most significant first; each byte is held with a marker bit above it, which
// tells when the byte is used up. A member may read a few bytes past its data (into the next
// member, or past the end of the file, where it reads 1 bits); far beyond is damaged data.
#include "library/ha/HaArithmeticDecoder.h"

#include "library/common/ArchiveDataError.h"

namespace zeb {

namespace {

// Valid members read at most a few bytes past their data; well past the end of the archive
// the data is damaged.
constexpr int OverrunLimit = 16;

}  // namespace

HaArithmeticDecoder::HaArithmeticDecoder(ZEBFile& archive, int64_t start)
    : input_(archive, start, archive.Size())
{
    int first = NextByte();
    code_ = uint16_t(first << 8 | NextByte());
}

int HaArithmeticDecoder::NextByte()
{
    int b = input_.Next();
    if (b >= 0)
        return b;
    if (++overrun_ > OverrunLimit)
        throw ArchiveDataError();
    return 0xFF;
}

// Bits come most significant first; a marker bit above each byte tells when it is used up.
int HaArithmeticDecoder::NextBit()
{
    bits_ = uint16_t(bits_ << 1);
    if ((bits_ & 0xFF) == 0) {
        int b = input_.Next();
        if (b >= 0) {
            bits_ = uint16_t(2 * b + 1);
        } else {
            if (++overrun_ > OverrunLimit)
                throw ArchiveDataError();
            bits_ = 0x100;
        }
    }
    return (bits_ >> 8) & 1;
}

uint32_t HaArithmeticDecoder::Threshold(uint32_t total) const
{
    if (total == 0)
        throw ArchiveDataError();
    uint64_t offset = uint16_t(code_ - low_) + uint64_t(1);
    uint64_t range = uint16_t(high_ - low_) + uint64_t(1);
    return uint32_t((offset * total - 1) / range);
}

void HaArithmeticDecoder::Consume(uint32_t from, uint32_t to, uint32_t total)
{
    if (total == 0)
        throw ArchiveDataError();
    uint64_t range = uint16_t(high_ - low_) + uint64_t(1);
    high_ = uint16_t(low_ + range * to / total - 1);
    low_ = uint16_t(low_ + range * from / total);
    while (((high_ ^ low_) & 0x8000) == 0) {
        low_ = uint16_t(low_ << 1);
        high_ = uint16_t(high_ << 1 | 1);
        code_ = uint16_t(code_ << 1 | NextBit());
    }
    while ((low_ & 0x4000) && !(high_ & 0x4000)) {
        low_ = uint16_t((low_ << 1) & 0x7FFF);
        high_ = uint16_t(high_ << 1 | 0x8001);
        code_ = uint16_t(((code_ << 1) ^ 0x8000) | NextBit());
    }
}

}  // namespace zeb
