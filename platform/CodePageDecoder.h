#pragma once

#include <cstdint>
#include <vector>

struct UConverter;

namespace zeb {

// The code page number of UTF-16LE text.
constexpr int32_t UnicodeCodePage = -1;
constexpr char16_t ReplacementChar = 0xFFFD;

// Decodes text of one code page to UTF-16, piece by piece: shift states and a character cut by
// the end of a piece carry over to the next piece. Bytes the code page does not define, and a
// character cut off by the end of the text, become U+FFFD.
class CodePageDecoder {
public:
    // UnicodeCodePage, AnsiCodePage or a Windows code page number; std::invalid_argument when
    // this system cannot convert it.
    explicit CodePageDecoder(int32_t codePage);
    ~CodePageDecoder();
    CodePageDecoder(const CodePageDecoder&) = delete;
    CodePageDecoder& operator=(const CodePageDecoder&) = delete;

    // Forgets every state: the next piece starts a text.
    void Reset();

    // Decodes count bytes at data; last tells that they end the text. Appends the code units to
    // units and, for each, to starts the offset from data of the byte its character begins at
    // (negative for a character begun in an earlier piece). Both units of a surrogate pair
    // share their character's start.
    void Decode(const uint8_t* data, int32_t count, bool last, std::vector<char16_t>& units,
                std::vector<int32_t>& starts);

    // Bytes of a character begun but not finished by the pieces so far.
    int32_t Pending() const;

private:
    void DecodeUtf16(const uint8_t* data, int32_t count, bool last, std::vector<char16_t>& units,
                     std::vector<int32_t>& starts);
    void DecodeIcu(const uint8_t* data, int32_t count, bool last, std::vector<char16_t>& units,
                   std::vector<int32_t>& starts);

    UConverter* converter_ = nullptr;  // null for UTF-16LE
    bool holdsByte_ = false;           // UTF-16LE: the first byte of a unit cut by a piece's end
    uint8_t heldByte_ = 0;
};

}  // namespace zeb
