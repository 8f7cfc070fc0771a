#include "library/zip/ZipCrypto.h"

#include "library/common/Crc.h"

namespace zeb {

ZipCrypto::ZipCrypto(std::string_view password) : keys_{0x12345678, 0x23456789, 0x34567890}
{
    for (char c : password)
        UpdateKeys(uint8_t(c));
}

void ZipCrypto::UpdateKeys(uint8_t plain)
{
    keys_[0] = Crc32::Step(keys_[0], plain);
    keys_[1] = (keys_[1] + (keys_[0] & 0xFF)) * 134775813u + 1;
    keys_[2] = Crc32::Step(keys_[2], uint8_t(keys_[1] >> 24));
}

}  // namespace zeb
