// One entry of a ZIP archive's central directory, as the reader keeps it.
#pragma once

#include <cstdint>
#include <string>

namespace zeb {

// One entry of a ZIP archive's central directory.
struct ZipEntry {
    static constexpr uint16_t EncryptedFlag = 0x0001;
    static constexpr uint16_t DescriptorFlag = 0x0008;  // CRC and sizes follow the data
    static constexpr uint32_t DirectoryAttribute = 0x10;

    std::string storedName;  // the bytes as stored, folder part included
    std::string name;        // UTF-8 name without folder; "" when it cannot name a file
    uint16_t method = 0;
    uint16_t flags = 0;
    uint16_t time = 0;  // DOS time and date of the last modification
    uint16_t date = 0;
    uint32_t crc = 0;
    uint64_t compressedSize = 0;
    uint64_t uncompressedSize = 0;
    uint32_t externalAttributes = 0;
    uint64_t localHeaderOffset = 0;
    bool selected = false;

    bool Encrypted() const { return flags & EncryptedFlag; }
};

}  // namespace zeb
