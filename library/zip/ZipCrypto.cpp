// The traditional PKWARE encryption of ZIP entries, flag bit 0 (APPNOTE.TXT, "Traditional
// PKWARE Encryption").
//
// Three 32-bit keys start as 0x12345678, 0x23456789 and 0x34567890 and take in the password
// byte by byte, then every plaintext byte: key 0 by one CRC-32 step, key 1 by adding key 0's
// low byte, multiplying by 134775813 and adding 1, key 2 by a CRC-32 step on key 1's high
// byte. Each cipher byte is XORed with a byte made from key 2: with t its low 16 bits, bit 1
// set, the byte is (t * (t ^ 1)) >> 8.
// An entry's data starts with 12 encrypted bytes of noise; the last of them, decrypted, must
// equal a check byte: the high byte of the CRC, or of the DOS time when flag bit 3 moves the
// CRC to a data descriptor after the data. One wrong password in 256 passes that check; the
// CRC of the decoded data catches it.
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
