#pragma once

#include <cstdint>
#include <string>

namespace zeb {

class ZEBFile;
class ZEBProgress;

// The name stored in a book for its source: the part of the path after its last "/" or "\".
std::u16string SourceFileName(const std::u16string& sourcePath);

// Converts source, decoded in codePage, into a book at destinationPath (replacing any file
// there), reporting progress from 0 to 3 x the source size. A code page this system cannot
// convert raises std::invalid_argument before anything is written. When writing fails
// (ZEBIOFailure) the partly written book is deleted before the failure goes on.
void WriteBookFile(ZEBFile& source, int32_t codePage, const std::string& destinationPath,
                   const std::u16string& sourcePath, ZEBProgress& progress);

}  // namespace zeb
