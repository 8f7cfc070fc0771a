// The LZ77 history ring of the archive decoders: ARJ, LHA, HA's ASC (and its output buffer for
// HSC), and ZIP's reduce and implode.
#pragma once

#include <cstdint>
#include <vector>

#include "library/common/ByteSink.h"

namespace zeb {

// The history of an LZ77 decoder: a ring of recent output that is handed to the sink each time
// it fills up and once more at the end. It produces exactly `total` bytes: a match reaching
// past that is cut short.
// The ring starts out zeroed, so a match reaching back before the first byte copies zeros.
class SlidingWindow {
public:
    SlidingWindow(int32_t size, ByteSink& sink, int64_t total);

    bool Done() const { return produced_ >= total_; }
    int64_t Produced() const { return produced_; }
    int64_t Total() const { return total_; }

    void Literal(uint8_t b)
    {
        ring_[size_t(pos_)] = b;
        ++produced_;
        if (++pos_ == size_)
            Flush();
    }

    // Copies length bytes starting distance + 1 bytes back; overlapping copies repeat data.
    // A distance outside the window raises ArchiveDataError.
    void Match(int32_t distance, int32_t length);

    // Hands the bytes not yet written to the sink.
    void Finish();

private:
    void Flush();

    std::vector<uint8_t> ring_;
    int32_t size_;
    int32_t pos_ = 0;
    ByteSink& sink_;
    int64_t produced_ = 0;
    int64_t total_;
};

}  // namespace zeb
