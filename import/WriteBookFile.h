#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace zeb {

class ZEBFile;
class ZEBProgress;

// The name stored in a book for its source: the part of the path after its last "/" or "\",
// decoded from UTF-8 with U+FFFD for each invalid sequence (a name on Linux is any bytes).
std::u16string SourceFileName(std::string_view sourcePath);

// Converts source, decoded in codePage, into a new book at destinationPath, reporting progress
// from 0 to 3 x the source size; sourcePath gives the name stored in it. A code page this
// system cannot convert raises std::invalid_argument before anything is written. When writing
// fails (ZEBIOFailure) the partly written book is deleted before the failure goes on.
void WriteBookFile(ZEBFile& source, int32_t codePage, const std::string& destinationPath,
                   const std::string& sourcePath, ZEBProgress& progress);

}  // namespace zeb
