#pragma once

#include <array>
#include <cstdint>
#include <memory>

struct UConverter;

namespace zeb {

// The code page number of UTF-16LE text.
constexpr int32_t UnicodeCodePage = -1;
constexpr char16_t ReplacementChar = 0xFFFD;

// Decodes text of one code page to UTF-16, piece by piece: shift states carry over to the next
// piece. Bytes the code page does not define, a character cut off by the end of the text, and
// U+FFFF (no character) become U+FFFD.
class CodePageDecoder {
public:
    // UnicodeCodePage, AnsiCodePage or a Windows code page number; std::invalid_argument when
    // this system cannot convert it.
    explicit CodePageDecoder(int32_t codePage);
    ~CodePageDecoder();
    CodePageDecoder(const CodePageDecoder&) = delete;
    CodePageDecoder& operator=(const CodePageDecoder&) = delete;

    // The code units a piece of count bytes may need room for.
    static constexpr int32_t Room(int32_t count) { return 4 * count + 16; }

    // For a code page of single bytes without shift states, the code unit of every byte (as
    // Decode gives it); null for any other.
    const std::array<char16_t, 256>* ByteTable() const { return byteTable_.get(); }

    // Forgets every state: the next piece starts a text.
    void Reset();

    // A piece: count bytes at data that lie at position base of the text; last when they end
    // it. Decode stores the code units of its whole characters at units, and at positions the
    // position of each: that of its character's first byte, and for further units of the same
    // character (the low surrogate of a pair) the bytes after it, so that positions strictly
    // increase. Both arrays have Room(count) entries.
    struct Piece {
        const uint8_t* data;
        int32_t count;
        int32_t base;
        bool last;
    };

    // Returns the bytes used, all of them less a character cut by their end, with which the
    // next piece must begin; produced tells how many units were stored.
    int32_t Decode(const Piece& piece, char16_t* units, int32_t* positions, int32_t& produced);

private:
    int32_t DecodeUtf16(const Piece& piece, char16_t* units, int32_t* positions,
                        int32_t& produced);
    int32_t DecodeIcu(const Piece& piece, char16_t* units, int32_t* positions,
                      int32_t& produced);
    void BuildByteTable();

    UConverter* converter_ = nullptr;  // null for UTF-16LE
    bool utf8_ = false;
    // For a code page of single bytes without shift states: the unit of every byte.
    std::unique_ptr<std::array<char16_t, 256>> byteTable_;
};

}  // namespace zeb
