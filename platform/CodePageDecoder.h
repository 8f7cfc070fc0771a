#pragma once

#include <cstdint>
#include <vector>

struct UConverter;

namespace zeb {

// The code page number of UTF-16LE text.
constexpr int32_t UnicodeCodePage = -1;
constexpr char16_t ReplacementChar = 0xFFFD;

// Decodes text of one code page to UTF-16, piece by piece: shift states carry over to the next
// piece. Bytes the code page does not define, and a character cut off by the end of the text,
// become U+FFFD.
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

    // Decodes the whole characters in count bytes at data; last tells that the bytes end the
    // text. Appends the code units to units and, for each, to starts the offset from data of
    // the byte its character begins at (both units of a surrogate pair share it). Returns the
    // bytes used: all of them, less a character cut by their end, with which the next piece
    // must begin.
    int32_t Decode(const uint8_t* data, int32_t count, bool last, std::vector<char16_t>& units,
                   std::vector<int32_t>& starts);

private:
    int32_t DecodeIcu(const uint8_t* data, int32_t count, bool last,
                      std::vector<char16_t>& units, std::vector<int32_t>& starts);

    UConverter* converter_ = nullptr;  // null for UTF-16LE
};

}  // namespace zeb
