#include "library/Crc.h"

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

constexpr auto Crc32Table = ReflectedTable<uint32_t>(0xEDB88320u);
constexpr auto Crc16Table = ReflectedTable<uint16_t>(0xA001u);

}  // namespace

void Crc32::Update(const uint8_t* data, size_t count)
{
    uint32_t r = register_;
    for (size_t i = 0; i < count; ++i)
        r = Crc32Table[(r ^ data[i]) & 0xFF] ^ (r >> 8);
    register_ = r;
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
