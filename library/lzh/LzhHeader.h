// Member headers of LHA archives; notes on the three header levels in LzhHeader.cpp.
#pragma once

#include <cstdint>
#include <string>

#include "storage/ZEBFile.h"

namespace zeb {

// One member header of an LHA archive, at header level 0, 1 or 2.
struct LzhHeader {
    std::string methodId;        // the five characters of the method field, "-lh5-"
    int method = 0;              // the digit of "-lh?-": 0, 4, 5, 6 or 7 for a member it reads
    int64_t dataStart = 0;
    int64_t compressedSize = 0;  // of the data alone
    uint32_t originalSize = 0;
    uint16_t crc = 0;            // CRC-16 of the original data
    std::string name;            // as stored, folders included where the level keeps them
};

enum class LzhHeaderStatus {
    Read,           // a member of a method read here: -lh0-, -lh4-, -lh5-, -lh6- or -lh7-
    End,            // the archive's closing zero byte, or the end of the file
    Damaged,        // a header that is cut off or fails its checksum
    Directory,      // a directory entry, -lhd-
    UnknownMethod,  // a header read whole, of another method
};

// Reads the header at position; the name and method are filled in whenever the header could
// be read, whatever its method.
LzhHeaderStatus ReadLzhHeader(ZEBFile& archive, int64_t position, LzhHeader& header);

// Whether the file could be an LHA archive: a closing zero byte, or a method field at the
// place of the first header's.
bool LooksLikeLzhArchive(ZEBFile& archive);

}  // namespace zeb
