#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/CodePageDecoder.h"

namespace zeb {

class ZEBFile;

// What ReadSourceChar gives at the end of the source; never a character of the text.
constexpr char16_t SourceEnd = 0xFFFF;

// Reads a source text one UTF-16 code unit at a time in one code page. Positions are byte
// offsets into the source. The text is decoded a piece at a time and kept with the position of
// every code unit, so reading on, and going back to a position just read, cost no decoding.
class SourceCharReader {
public:
    // codePage: UnicodeCodePage, AnsiCodePage or a code page of the catalogue
    // (std::invalid_argument for one this system cannot convert).
    SourceCharReader(ZEBFile& source, int32_t codePage);

    // The code unit at position, moving position past it; SourceEnd, and position unchanged, at
    // the end of the source. Every U+FEFF is skipped wherever it stands. A character outside the
    // Basic Multilingual Plane comes out as its two surrogates on two calls: the second lies at
    // the character's position + 1. Undefined bytes, an odd last byte of UTF-16LE and a
    // character cut off by the end of the source give U+FFFD; the last consumes the rest.
    char16_t ReadSourceChar(int32_t& position)
    {
        for (;;) {
            if (cursor_ >= count_ || positions_[cursor_] != position) {
                if (!Seek(position))
                    return SourceEnd;
            }
            char16_t unit = units_[cursor_];
            position = positions_[++cursor_];
            if (unit != ByteOrderMark)
                return unit;
        }
    }

    // The same as reading on while accept(unit) holds and position < end, stepping back in front
    // of the unit it refuses, which it returns (SourceEnd when the source ended first).
    template <typename Accept>
    char16_t ReadWhile(int32_t& position, int32_t end, Accept accept)
    {
        while (position < end) {
            if (cursor_ >= count_ || positions_[cursor_] != position) {
                if (!Seek(position))
                    return SourceEnd;
            }
            const char16_t* units = units_.get();
            const int32_t* positions = positions_.get();
            const size_t count = count_;
            size_t k = cursor_;
            for (; k < count && positions[k] < end; ++k) {
                char16_t unit = units[k];
                if (unit != ByteOrderMark && !accept(unit)) {
                    cursor_ = k;
                    position = positions[k];
                    return unit;
                }
            }
            cursor_ = k;
            position = positions[k];
        }
        return SourceEnd;
    }

    int32_t Size() const { return size_; }

private:
    static constexpr char16_t ByteOrderMark = 0xFEFF;

    // Points the cursor at the unit at position, decoding as needed. At the end of the source
    // it returns false, having moved position to the end.
    bool Seek(int32_t& position);
    bool Find(int32_t position);
    void KeepTail();
    void Restart(int32_t position);
    void DecodeNextPiece();

    ZEBFile& source_;
    int32_t size_;
    bool unicode_;
    CodePageDecoder decoder_;
    // The decoded units and the position of each; positions_[count_] is the position after the
    // last one.
    std::unique_ptr<char16_t[]> units_;
    std::unique_ptr<int32_t[]> positions_;
    size_t count_ = 0;
    size_t cursor_ = 0;
    int32_t fed_ = 0;  // the decoder has decoded every byte below this
    std::vector<uint8_t> bytes_;
};

}  // namespace zeb
