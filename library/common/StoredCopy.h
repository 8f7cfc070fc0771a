// Members stored without compression, copied out of the archive: ARJ method 0, LHA's -lh0-
// and HA's CPY.
#pragma once

#include <cstdint>

#include "library/common/ByteSink.h"
#include "storage/ZEBFile.h"

namespace zeb {

// Hands count bytes of the archive from start to the sink, as they are stored. Raises
// ArchiveDataError when the archive ends before them.
void CopyStored(ZEBFile& archive, int64_t start, int64_t count, ByteSink& out);

}  // namespace zeb
