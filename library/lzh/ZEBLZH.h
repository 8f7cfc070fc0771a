// LHA archives; notes on the format in ZEBLZH.cpp.
#pragma once

#include <string>

#include "library/common/ArchiveFileExtractor.h"

namespace zeb {

// Extracts the files of an LHA archive (-lh0-, -lh4- to -lh7-, header levels 0 to 2), one at a
// time. A member whose data fails its CRC is dropped and the next one tried; a header it cannot
// read, another method or a directory entry ends the archive.
class ZEBLZH : public ArchiveFileExtractor {
public:
    ZEBLZH();

private:
    bool FindFirstHeader() override;
    std::string NextMember() override;
};

}  // namespace zeb
