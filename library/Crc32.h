#pragma once

#include <cstddef>
#include <cstdint>

namespace zeb {

// The standard CRC-32 of ZIP, gzip and PNG (reflected polynomial 0xEDB88320). Start with 0 and
// feed the running value back in: Crc32(Crc32(0, a), b) is the CRC of a followed by b.
uint32_t Crc32(uint32_t crc, const uint8_t* data, size_t size);

// The CRC table step for one byte on a raw (not inverted) register, as the traditional ZIP
// encryption uses it.
uint32_t Crc32Step(uint32_t reg, uint8_t byte);

}  // namespace zeb
