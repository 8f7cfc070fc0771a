// Reading a ZIP archive's central directory; notes on the layout in ZipDirectory.cpp.
#pragma once

#include <vector>

#include "library/zip/ZipArchiveFile.h"
#include "library/zip/ZipEntry.h"

namespace zeb {

// The entries of the archive's central directory, in directory order. Raises ZipError
// "Not a valid zip file!" when the file is not a ZIP archive or its directory is damaged, and
// "Incomplete Zip File" when the directory (or the archive's end) is missing or cut short.
std::vector<ZipEntry> ReadZipDirectory(const ZipArchiveFile& file);

// The offset of the entry's data, just past its local header.
uint64_t LocateZipData(const ZipArchiveFile& file, const ZipEntry& entry);

}  // namespace zeb
