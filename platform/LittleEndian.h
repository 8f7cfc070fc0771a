#pragma once

#include <cstdint>

namespace zeb {

// Little-endian integers in byte buffers, whatever the host's byte order.
inline uint16_t LoadU16(const uint8_t* b) { return uint16_t(b[0] | b[1] << 8); }

inline uint32_t LoadU32(const uint8_t* b)
{
    return uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 | uint32_t(b[3]) << 24;
}

inline uint64_t LoadU64(const uint8_t* b) { return LoadU32(b) | uint64_t(LoadU32(b + 4)) << 32; }

inline void StoreU16(uint8_t* b, uint16_t v)
{
    b[0] = uint8_t(v);
    b[1] = uint8_t(v >> 8);
}

inline void StoreU32(uint8_t* b, uint32_t v)
{
    b[0] = uint8_t(v);
    b[1] = uint8_t(v >> 8);
    b[2] = uint8_t(v >> 16);
    b[3] = uint8_t(v >> 24);
}

}  // namespace zeb
