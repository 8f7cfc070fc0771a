// Buffered reading of a byte range of an archive; under BitInput and the HA arithmetic decoder.
#pragma once

#include <cstdint>

#include "storage/ZEBFile.h"

namespace zeb {

// Sequential reading of the bytes [start, end) of an archive through a small buffer, so that
// the decoders' byte-at-a-time input does not go through the file layer for every byte.
class ByteInput {
public:
    // end is clipped to the archive's size: nothing past the logical end is ever read.
    ByteInput(ZEBFile& archive, int64_t start, int64_t end);

    // The next byte, or -1 once the range is used up.
    int Next()
    {
        if (cursor_ == limit_ && !Fill())
            return -1;
        return buffer_[cursor_++];
    }

    // Bytes of the range, clipped to the archive.
    int64_t Length() const { return end_ - start_; }

private:
    bool Fill();

    static constexpr int32_t ChunkSize = 4096;

    ZEBFile& archive_;
    int64_t start_;
    int64_t next_;  // archive position of the byte after the buffer
    int64_t end_;
    int32_t cursor_ = 0;
    int32_t limit_ = 0;
    uint8_t buffer_[ChunkSize];
};

}  // namespace zeb
