#pragma once

#include <cstdint>
#include <string>

#include "storage/ZEBFile.h"

namespace zeb {

// One member header of an LHA archive, at header level 0, 1 or 2.
struct LzhHeader {
    int method = 0;              // the digit of "-lh?-": 0, 4 or 5
    int64_t dataStart = 0;
    int64_t compressedSize = 0;  // of the data alone
    uint32_t originalSize = 0;
    uint16_t crc = 0;            // CRC-16 of the original data
    std::string name;            // as stored, folders included where the level keeps them
};

// Reads the header at position. False at the end of the archive (its closing zero byte or the
// end of the file), for a damaged header, and for a method other than -lh0-, -lh4- and -lh5-
// (a directory entry included).
bool ReadLzhHeader(ZEBFile& archive, int64_t position, LzhHeader& header);

}  // namespace zeb
