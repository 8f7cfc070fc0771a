// ARJ archives; notes on the format in ZEBArj.cpp.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "library/common/ArchiveFileExtractor.h"
#include "library/common/ByteSink.h"

namespace zeb {

// Extracts the plain files of an ARJ archive (methods 0 to 4), one at a time. Archives behind
// a self-extracting program stub are found by searching for the main header. Encrypted members,
// directories and other special entries are passed over; anything damaged ends the archive.
class ZEBArj : public ArchiveFileExtractor {
public:
    ZEBArj();

private:
    struct Header {
        uint8_t minVersion = 0;
        uint8_t flags = 0;
        uint8_t method = 0;
        uint8_t fileType = 0;
        int32_t compressedSize = 0;
        int32_t originalSize = 0;
        uint32_t crc = 0;
        std::string name;
    };

    bool FindFirstHeader() override;
    std::string NextMember() override;
    bool LoadBasicHeader(int64_t at);
    bool ReadHeader();
    bool AtEndMarker();
    bool SkipExtendedHeaders();
    bool Extractable() const;
    void Decode(int64_t dataStart, ByteSink& out);

    int64_t mainHeader_ = -1;
    uint16_t basicSize_ = 0;
    Header header_;
    std::vector<uint8_t> basicHeader_;
};

}  // namespace zeb
