#pragma once

#include <cstdint>
#include <string>

#include "library/ZEBExtractor.h"
#include "storage/ZEBFile.h"

namespace zeb {

struct LzhHeader;

// Extracts the files of an LHA archive (-lh0-, -lh4- and -lh5-, header levels 0 to 2), one at a
// time. A member whose data fails its CRC is dropped and the next one tried; a header it cannot
// read, another method or a directory entry ends the archive.
class ZEBLZH : public ZEBExtractor {
public:
    ZEBLZH() = default;
    ~ZEBLZH() override;

    std::string Open(const std::string& archive, const std::string& scratchFolder) override;
    std::string Next() override;
    void Close() override;

private:
    std::string NextMember();

    ZEBFile archive_;
    bool open_ = false;
    std::string folder_;
    int64_t position_ = 0;
};

}  // namespace zeb
