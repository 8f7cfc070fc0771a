#include "library/Crc32.h"

#include <array>

namespace zeb {
namespace {

// Eight tables let the main loop take eight bytes per step.
using Tables = std::array<std::array<uint32_t, 256>, 8>;

Tables MakeTables()
{
    Tables t{};
    for (uint32_t n = 0; n < 256; ++n) {
        uint32_t c = n;
        for (int k = 0; k < 8; ++k)
            c = c & 1 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        t[0][n] = c;
    }
    for (uint32_t n = 0; n < 256; ++n)
        for (int k = 1; k < 8; ++k)
            t[k][n] = t[0][t[k - 1][n] & 0xFF] ^ (t[k - 1][n] >> 8);
    return t;
}

const Tables& Table()
{
    static const Tables tables = MakeTables();
    return tables;
}

}  // namespace

uint32_t Crc32Step(uint32_t reg, uint8_t byte)
{
    return Table()[0][(reg ^ byte) & 0xFF] ^ (reg >> 8);
}

uint32_t Crc32(uint32_t crc, const uint8_t* data, size_t size)
{
    const Tables& t = Table();
    uint32_t c = ~crc;
    for (; size >= 8; size -= 8, data += 8) {
        uint32_t lo = c ^ (uint32_t(data[0]) | uint32_t(data[1]) << 8 | uint32_t(data[2]) << 16 |
                           uint32_t(data[3]) << 24);
        c = t[7][lo & 0xFF] ^ t[6][(lo >> 8) & 0xFF] ^ t[5][(lo >> 16) & 0xFF] ^ t[4][lo >> 24] ^
            t[3][data[4]] ^ t[2][data[5]] ^ t[1][data[6]] ^ t[0][data[7]];
    }
    for (; size > 0; --size, ++data)
        c = t[0][(c ^ *data) & 0xFF] ^ (c >> 8);
    return ~c;
}

}  // namespace zeb
