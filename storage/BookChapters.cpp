#include "storage/BookChapters.h"

namespace zeb {

std::optional<StoredChapters> ReadChapters(const ZEBFileOptions&)
{
    return std::nullopt;
}

void WriteChapters(ZEBFileOptions&, const StoredChapters&) {}

}  // namespace zeb
