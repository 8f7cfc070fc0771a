#include "platform/ProcessMemory.h"

#include <malloc.h>

namespace zeb {

void MapLargeBlocksOnTheirOwn()
{
    // A fixed threshold: glibc would otherwise raise it after the first such block is freed.
    constexpr int Threshold = 128 * 1024;
    mallopt(M_MMAP_THRESHOLD, Threshold);
}

}  // namespace zeb
