// The checksums archives store: CRC-32 (ZIP and its encryption keys, ARJ headers and data,
// HA) and the CRC-16 of LHA.
#pragma once

#include <cstddef>
#include <cstdint>

namespace zeb {

// The standard CRC-32 (reflected polynomial 0xEDB88320, started at all ones, complemented at
// the end), as ZIP, ARJ and HA store it.
class Crc32 {
public:
    void Reset() { register_ = 0xFFFFFFFFu; }
    void Update(const uint8_t* data, size_t count);
    uint32_t Value() const { return ~register_; }

    static uint32_t Of(const uint8_t* data, size_t count);
    // One byte on a raw register, as the traditional ZIP encryption steps its keys.
    static uint32_t Step(uint32_t reg, uint8_t byte);

private:
    uint32_t register_ = 0xFFFFFFFFu;
};

// The CRC-16 of the LHA format (reflected polynomial 0xA001, started at 0, not complemented).
class Crc16 {
public:
    void Reset() { register_ = 0; }
    void Update(const uint8_t* data, size_t count);
    uint16_t Value() const { return register_; }

    static uint16_t Of(const uint8_t* data, size_t count);

private:
    uint16_t register_ = 0;
};

}  // namespace zeb
