// Refills its buffer from the file layer, 4 KiB at a time, never past the range's end.
#include "library/common/ByteInput.h"

#include <algorithm>

namespace zeb {

ByteInput::ByteInput(ZEBFile& archive, int64_t start, int64_t end)
    : archive_(archive), start_(start), next_(start),
      end_(std::max(start, std::min<int64_t>(end, archive.Size())))
{
}

bool ByteInput::Fill()
{
    int64_t count = std::min<int64_t>(ChunkSize, end_ - next_);
    if (count <= 0)
        return false;
    archive_.Read(int32_t(next_), buffer_, int32_t(count));
    next_ += count;
    cursor_ = 0;
    limit_ = int32_t(count);
    return true;
}

}  // namespace zeb
