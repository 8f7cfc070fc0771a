// Pieces end on 64 KiB boundaries of the archive, so each read stays in one cluster.
#include "library/common/StoredCopy.h"

#include <algorithm>
#include <vector>

#include "library/common/ArchiveDataError.h"

namespace zeb {

void CopyStored(ZEBFile& archive, int64_t start, int64_t count, ByteSink& out)
{
    const int64_t end = start + count;
    if (end > archive.Size())
        throw ArchiveDataError();
    // Pieces end on piece boundaries of the archive, so each read stays in one cluster.
    const int64_t piece = int64_t(1) << 16;
    std::vector<uint8_t> buffer(size_t(std::min(piece, count)));
    for (int64_t p = start; p < end;) {
        int64_t n = std::min(piece - p % piece, end - p);
        archive.Read(int32_t(p), buffer.data(), int32_t(n));
        out.Put(buffer.data(), size_t(n));
        p += n;
    }
}

}  // namespace zeb
