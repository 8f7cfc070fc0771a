// The one channel for "this compressed data is damaged": every decoder, and the shared parts
// under them, raise ArchiveDataError, and one place per path turns it into what the user
// learns: ArchiveFileExtractor::ExtractMember for ARJ, LZH and HA (the walk's end reason),
// DecodeZipData for ZIP (the entry's Damaged result, reported like a CRC error).
#pragma once

#include <stdexcept>

namespace zeb {

// Compressed data that cannot be decoded: a code table that does not fill its code space, a
// distance outside the window, data that runs out long before the member is complete. The
// member's file is dropped where it is caught.
class ArchiveDataError : public std::runtime_error {
public:
    ArchiveDataError() : std::runtime_error("damaged archive data") {}
};

}  // namespace zeb
