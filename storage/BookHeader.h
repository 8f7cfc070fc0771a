#pragma once

#include <array>
#include <cstdint>

namespace zeb {

class ZEBFile;

constexpr int32_t TextStart = 40;
constexpr int32_t BookHeaderSize = 40;

// The first 40 bytes of a book file.
struct BookHeader {
    static const std::array<uint8_t, 16> BookMagic;  // "ZEB Book Reader" and 0x00

    std::array<uint8_t, 16> magic = BookMagic;
    uint32_t textStart = TextStart;
    uint32_t paragTableOffset = 0;
    uint32_t paragCount = 0;
    uint32_t lineTableOffset = 0;
    uint32_t lineCount = 0;
    uint32_t optionsOffset = 0;

    // Bytes a short file does not hold read as 0, so such a file is no book.
    static BookHeader Read(ZEBFile& file);
    void Write(ZEBFile& file) const;

    // Whether a file of fileSize bytes with this header is a book file: the magic, the text
    // start, non-empty text, at least two entries in each table, regions that add up, and a
    // file long enough for them. The sums are taken without wrap-around, so no count passes
    // that the file cannot hold.
    bool IsBook(int64_t fileSize) const;
};

}  // namespace zeb
