// Matches are copied in runs up to the next wrap, byte by byte since they may overlap.
#include "library/common/SlidingWindow.h"

#include <algorithm>

#include "library/common/ArchiveDataError.h"

namespace zeb {

SlidingWindow::SlidingWindow(int32_t size, ByteSink& sink, int64_t total)
    : ring_(size_t(size)), size_(size), sink_(sink), total_(total)
{
}

void SlidingWindow::Match(int32_t distance, int32_t length)
{
    if (distance < 0 || distance >= size_)
        throw ArchiveDataError();
    length = int32_t(std::min<int64_t>(length, total_ - produced_));
    int32_t from = pos_ - distance - 1;
    if (from < 0)
        from += size_;
    while (length > 0) {
        // Copy up to the next wrap of either index; byte by byte, since source and
        // destination may overlap.
        int32_t run = std::min({length, size_ - pos_, size_ - from});
        uint8_t* out = ring_.data() + pos_;
        const uint8_t* in = ring_.data() + from;
        for (int32_t i = 0; i < run; ++i)
            out[i] = in[i];
        length -= run;
        produced_ += run;
        pos_ += run;
        from += run;
        if (from == size_)
            from = 0;
        if (pos_ == size_)
            Flush();
    }
}

void SlidingWindow::Flush()
{
    sink_.Put(ring_.data(), size_t(pos_));
    pos_ = 0;
}

void SlidingWindow::Finish()
{
    if (pos_ > 0)
        Flush();
}

}  // namespace zeb
