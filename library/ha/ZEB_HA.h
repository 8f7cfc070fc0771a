// HA archives; notes on the format in ZEB_HA.cpp.
#pragma once

#include <cstdint>
#include <string>

#include "library/common/ArchiveFileExtractor.h"
#include "library/common/ByteSink.h"

namespace zeb {

// Extracts the files of an HA archive (methods CPY, ASC and HSC), one at a time. A member whose
// data fails its CRC is dropped and the next one tried; a directory or special member ends the
// archive.
class ZEB_HA : public ArchiveFileExtractor {
public:
    ZEB_HA();

private:
    bool FindFirstHeader() override;
    std::string NextMember() override;
    enum Method : uint8_t { Cpy = 0, Asc = 1, Hsc = 2, Directory = 14, Special = 15 };

    struct Header {
        uint8_t type = 0;  // version in the high four bits, method in the low four
        uint8_t method = 0;
        uint32_t compressedSize = 0;
        uint32_t originalSize = 0;
        uint32_t crc = 0;
        std::string name;
        int64_t dataStart = 0;
    };

    bool ReadHeader(Header& header);
    bool ReadName(int64_t& at, std::string& text);
    ArchiveEnd::Kind CheckType(Header& header) const;
    void Decode(const Header& header, ByteSink& out);
};

}  // namespace zeb
