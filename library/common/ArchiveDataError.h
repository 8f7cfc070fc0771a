#pragma once

#include <stdexcept>

namespace zeb {

// Compressed data that cannot be decoded: a code table that does not fill its code space, a
// distance outside the window, data that runs out long before the member is complete. The
// extractors catch it, drop the member's file and end the archive.
class ArchiveDataError : public std::runtime_error {
public:
    ArchiveDataError() : std::runtime_error("damaged archive data") {}
};

}  // namespace zeb
