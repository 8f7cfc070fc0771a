// Table-driven CRCs, the tables made at compile time; CRC-32 takes eight bytes a step.
#include "library/common/Crc.h"

#include <array>

namespace zeb {

namespace {

template <class T>
constexpr std::array<T, 256> ReflectedTable(T polynomial)
{
    std::array<T, 256> table{};
    for (unsigned i = 0; i < 256; ++i) {
        T r = T(i);
        for (int bit = 0; bit < 8; ++bit)
            r = (r & 1) ? T((r >> 1) ^ polynomial) : T(r >> 1);
        table[i] = r;
    }
    return table;
}

// Eight CRC-32 tables let the main loop take eight bytes per step.
using Crc32Tables = std::array<std::array<uint32_t, 256>, 8>;

constexpr Crc32Tables MakeCrc32Tables()
{
    Crc32Tables t{};
    t[0] = ReflectedTable<uint32_t>(0xEDB88320u);
    for (size_t n = 0; n < 256; ++n)
        for (size_t k = 1; k < 8; ++k)
            t[k][n] = t[0][t[k - 1][n] & 0xFF] ^ (t[k - 1][n] >> 8);
    return t;
}

constexpr Crc32Tables Crc32Table = MakeCrc32Tables();
constexpr auto Crc16Table = ReflectedTable<uint16_t>(0xA001u);

}  // namespace

void Crc32::Update(const uint8_t* data, size_t count)
{
    const Crc32Tables& t = Crc32Table;
    uint32_t c = register_;
    for (; count >= 8; count -= 8, data += 8) {
        uint32_t lo = c ^ (uint32_t(data[0]) | uint32_t(data[1]) << 8 | uint32_t(data[2]) << 16 |
                           uint32_t(data[3]) << 24);
        c = t[7][lo & 0xFF] ^ t[6][(lo >> 8) & 0xFF] ^ t[5][(lo >> 16) & 0xFF] ^ t[4][lo >> 24] ^
            t[3][data[4]] ^ t[2][data[5]] ^ t[1][data[6]] ^ t[0][data[7]];
    }
    for (; count > 0; --count, ++data)
        c = Step(c, *data);
    register_ = c;
}

uint32_t Crc32::Step(uint32_t reg, uint8_t byte)
{
    return Crc32Table[0][(reg ^ byte) & 0xFF] ^ (reg >> 8);
}

uint32_t Crc32::Of(const uint8_t* data, size_t count)
{
    Crc32 crc;
    crc.Update(data, count);
    return crc.Value();
}

void Crc16::Update(const uint8_t* data, size_t count)
{
    uint16_t r = register_;
    for (size_t i = 0; i < count; ++i)
        r = uint16_t(Crc16Table[(r ^ data[i]) & 0xFF] ^ (r >> 8));
    register_ = r;
}

uint16_t Crc16::Of(const uint8_t* data, size_t count)
{
    Crc16 crc;
    crc.Update(data, count);
    return crc.Value();
}

}  // namespace zeb
