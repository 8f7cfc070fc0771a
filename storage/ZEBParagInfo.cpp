#include "storage/ZEBParagInfo.h"

#include <algorithm>

#include "platform/LittleEndian.h"
#include "storage/ZEBFile.h"
#include "storage/ZEBIOFailure.h"

namespace zeb {

int32_t ZEBParagInfo::FindIndex(int32_t position) const
{
    int32_t lo = 0;
    int32_t hi = Count() - 1;
    for (int32_t mid = (lo + hi) / 2; mid != lo; mid = (lo + hi) / 2) {
        if (position < offsets_[size_t(mid)])
            hi = mid;
        else
            lo = mid;
    }
    return lo;
}

void ZEBParagInfo::Load(ZEBFile& file, int32_t position, int32_t count)
{
    constexpr int32_t Chunk = 4096;
    uint8_t bytes[4 * Chunk];
    if (count < 0 || position < 0 || int64_t(position) + 4 * int64_t(count) > file.Size())
        throw file.Failure("read", 0);
    offsets_.reserve(offsets_.size() + size_t(count));
    for (int32_t done = 0; done < count;) {
        int32_t take = std::min(Chunk, count - done);
        file.Read(position + 4 * done, bytes, 4 * take);
        for (int32_t i = 0; i < take; ++i)
            offsets_.push_back(int32_t(LoadU32(bytes + 4 * i)));
        done += take;
    }
}

int32_t ZEBParagInfo::Save(ZEBFile& file, int32_t position) const
{
    for (int32_t offset : offsets_) {
        file.WriteU32(position, uint32_t(offset));
        position += 4;
    }
    return position;
}

}  // namespace zeb
