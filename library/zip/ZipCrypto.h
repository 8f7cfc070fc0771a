// The traditional PKWARE encryption of ZIP entries; notes in ZipCrypto.cpp.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace zeb {

// The traditional PKWARE encryption of the APPNOTE: three 32-bit keys updated by every
// plaintext byte.
class ZipCrypto {
public:
    static constexpr int HeaderSize = 12;

    // Keys set up from the password.
    explicit ZipCrypto(std::string_view password);

    uint8_t Decrypt(uint8_t cipher)
    {
        uint8_t plain = cipher ^ StreamByte();
        UpdateKeys(plain);
        return plain;
    }
    void Decrypt(uint8_t* data, size_t size)
    {
        for (size_t i = 0; i < size; ++i)
            data[i] = Decrypt(data[i]);
    }

private:
    uint8_t StreamByte() const
    {
        uint32_t t = (keys_[2] | 2) & 0xFFFF;
        return uint8_t((t * (t ^ 1)) >> 8);
    }
    void UpdateKeys(uint8_t plain);

    uint32_t keys_[3];
};

}  // namespace zeb
