#pragma once

#include <cstddef>
#include <cstdint>

#include "library/ExtractedFile.h"

namespace zeb {

// The last 8 KiB written, for the back references of reduce and implode. Bytes before the
// start of the output read as zeros.
class ZipHistory {
public:
    static constexpr uint32_t Size = 1 << 13;

    explicit ZipHistory(ExtractedFile& out) : out_(out) {}

    void Put(uint8_t byte)
    {
        bytes_[position_++ & Mask] = byte;
        out_.Put(byte);
    }
    // Repeats count bytes from distance (1 to Size) back, stopping once the output holds limit
    // bytes.
    void Copy(uint32_t distance, uint32_t count, uint64_t limit)
    {
        for (; count > 0 && out_.Written() < limit; --count)
            Put(bytes_[(position_ - distance) & Mask]);
    }

private:
    static constexpr size_t Mask = Size - 1;

    ExtractedFile& out_;
    size_t position_ = 0;
    uint8_t bytes_[Size] = {};
};

}  // namespace zeb
