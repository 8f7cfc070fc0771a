// Refilling the 64-bit buffer a byte at a time, with zero bytes after the data up to a limit.
#include "library/common/BitInput.h"

#include "library/common/ArchiveDataError.h"

namespace zeb {

namespace {

// How far a decoder may read past the data (in bytes) before the data counts as damaged.
// Valid streams never consume a bit past their end; the slack covers look-ahead.
constexpr int64_t OverrunSlack = 8;

}  // namespace

BitInput::BitInput(ZEBFile& archive, int64_t start, int64_t length)
    : source_(archive, start, start + length)
{
    Refill();
}

void BitInput::Refill()
{
    while (count_ <= 56) {
        int b = source_.Next();
        if (b < 0) {
            int64_t consumed = fetched_ * 8 - count_;
            if (consumed > (source_.Length() + OverrunSlack) * 8)
                throw ArchiveDataError();
            b = 0;
        }
        bits_ |= uint64_t(b) << (56 - count_);
        count_ += 8;
        ++fetched_;
    }
}

}  // namespace zeb
