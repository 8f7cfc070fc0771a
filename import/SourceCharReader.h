#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/CodePageDecoder.h"
#include "platform/LittleEndian.h"

namespace zeb {

class ZEBFile;

// What ReadSourceChar gives at the end of the source; never a character of the text.
constexpr char16_t SourceEnd = 0xFFFF;

// Reads a source text one UTF-16 code unit at a time in one code page. Positions are byte
// offsets into the source. Where every code unit has a fixed width (UTF-16LE, code pages of
// single bytes) the units are taken straight from the source bytes; otherwise the text is
// decoded a piece at a time and kept with the position of every code unit, so reading on, and
// going back to a position just read, cost no decoding.
class SourceCharReader {
public:
    // codePage: UnicodeCodePage, AnsiCodePage or a code page of the catalogue
    // (std::invalid_argument for one this system cannot convert).
    SourceCharReader(ZEBFile& source, int32_t codePage);

    // Calls pass(source) with a view of this reader that reads the same (ReadSourceChar,
    // ReadWhile, Size), its way of reading the code page chosen once rather than on every call:
    // a pass over the whole text takes it.
    template <typename Pass>
    decltype(auto) InItsForm(Pass pass)
    {
        switch (form_) {
        case Form::SingleBytes:
            return pass(FixedForm<Form::SingleBytes>(*this));
        case Form::SingleBytesWithMarks:
            return pass(FixedForm<Form::SingleBytesWithMarks>(*this));
        case Form::Utf16:
            return pass(FixedForm<Form::Utf16>(*this));
        case Form::Decoded:
            break;
        }
        return pass(FixedForm<Form::Decoded>(*this));
    }

    // The code unit at position, moving position past it; SourceEnd, and position unchanged, at
    // the end of the source. Every U+FEFF is skipped wherever it stands. A character outside the
    // Basic Multilingual Plane comes out as its two surrogates on two calls: the second lies at
    // the character's position + 1. Undefined bytes, an odd last byte of UTF-16LE and a
    // character cut off by the end of the source give U+FFFD; the last consumes the rest.
    char16_t ReadSourceChar(int32_t& position)
    {
        return InItsForm([&](auto source) { return source.ReadSourceChar(position); });
    }

    // The same as reading on while accept(unit) holds and position < end, stepping back in front
    // of the unit it refuses, which it returns (SourceEnd when the source ended first).
    template <typename Accept>
    char16_t ReadWhile(int32_t& position, int32_t end, Accept accept)
    {
        return InItsForm([&](auto source) { return source.ReadWhile(position, end, accept); });
    }

    int32_t Size() const { return size_; }

private:
    static constexpr char16_t ByteOrderMark = 0xFEFF;

    // How the code units come from the source bytes. SingleBytesWithMarks: a code page of
    // single bytes where one of them gives U+FEFF.
    enum class Form { SingleBytes, SingleBytesWithMarks, Utf16, Decoded };

    template <Form F>
    class FixedForm {
    public:
        explicit FixedForm(SourceCharReader& reader) : reader_(reader) {}

        char16_t ReadSourceChar(int32_t& position)
        {
            char16_t unit = ReadWhile(position, reader_.size_, [](char16_t) { return false; });
            if (unit != SourceEnd)
                position = reader_.After<F>(position);
            return unit;
        }

        template <typename Accept>
        char16_t ReadWhile(int32_t& position, int32_t end, Accept accept)
        {
            end = std::min(end, reader_.size_);
            if constexpr (F == Form::SingleBytes)
                return reader_.ReadBytesWhile<false>(position, end, accept);
            else if constexpr (F == Form::SingleBytesWithMarks)
                return reader_.ReadBytesWhile<true>(position, end, accept);
            else if constexpr (F == Form::Utf16)
                return reader_.ReadUtf16While(position, end, accept);
            else
                return reader_.ReadDecodedWhile(position, end, accept);
        }

        // Up to max code units from position on, those that begin before end, into units,
        // moving position past them; their number, 0 only when none is left before end.
        int ReadUnits(int32_t& position, int32_t end, char16_t* units, int max)
        {
            end = std::min(end, reader_.size_);
            if constexpr (F == Form::SingleBytes) {
                return reader_.ReadBytes(position, end, units, max);
            } else if constexpr (F == Form::Utf16) {
                return reader_.ReadUtf16(position, end, units, max);
            } else {
                int count = 0;
                ReadWhile(position, end, [&](char16_t u) {
                    if (count == max)
                        return false;
                    units[count++] = u;
                    return true;
                });
                return count;
            }
        }

        int32_t Size() const { return reader_.size_; }

    private:
        SourceCharReader& reader_;
    };

    template <bool SkipMarks, typename Accept>
    char16_t ReadBytesWhile(int32_t& position, int32_t end, Accept accept)
    {
        const std::array<char16_t, 256>& table = *byteTable_;
        int32_t p = position;
        while (p < end) {
            Hold(p, 1);
            const uint8_t* bytes = bytes_.data();
            const int32_t held = held_, stop = std::min(end, held + holding_);
            for (; p < stop; ++p) {
                char16_t unit = table[bytes[p - held]];
                if ((!SkipMarks || unit != ByteOrderMark) && !accept(unit)) {
                    position = p;
                    return unit;
                }
            }
        }
        position = p;
        return SourceEnd;
    }

    template <typename Accept>
    char16_t ReadUtf16While(int32_t& position, int32_t end, Accept accept)
    {
        int32_t p = position;
        while (p < end) {
            if (p + 1 == size_) {
                position = p;
                if (!accept(ReplacementChar))
                    return ReplacementChar;
                position = size_;
                return SourceEnd;
            }
            Hold(p, 2);
            const uint8_t* bytes = bytes_.data();
            // The units that begin before end and lie wholly in the bytes held.
            const int32_t held = held_, stop = std::min(end, held + holding_ - 1);
            for (; p < stop; p += 2) {
                char16_t unit;
                if (!Utf16Unit(bytes + (p - held), unit))
                    continue;
                if (!accept(unit)) {
                    position = p;
                    return unit;
                }
            }
        }
        position = p;
        return SourceEnd;
    }

    int ReadBytes(int32_t& position, int32_t end, char16_t* units, int max)
    {
        if (position >= end)
            return 0;
        Hold(position, 1);
        const int count = std::min(max, std::min(end, held_ + holding_) - position);
        const uint8_t* bytes = bytes_.data() + (position - held_);
        for (int k = 0; k < count; ++k)
            units[k] = (*byteTable_)[bytes[k]];
        position += count;
        return count;
    }

    int ReadUtf16(int32_t& position, int32_t end, char16_t* units, int max)
    {
        int count = 0;
        while (count == 0 && position < end) {
            if (position + 1 == size_) {
                units[count++] = ReplacementChar;
                position = size_;
                break;
            }
            Hold(position, 2);
            // The units that begin before end and lie wholly in the bytes held.
            const int32_t stop = std::min(end, held_ + holding_ - 1);
            const int taken = std::min(max, (stop - position + 1) / 2);
            const uint8_t* bytes = bytes_.data() + (position - held_);
            for (int k = 0; k < taken; ++k) {
                char16_t unit;
                if (Utf16Unit(bytes + 2 * k, unit))
                    units[count++] = unit;
            }
            position += 2 * taken;
        }
        return count;
    }

    template <typename Accept>
    char16_t ReadDecodedWhile(int32_t& position, int32_t end, Accept accept)
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

    // The UTF-16LE unit at bytes; false for a byte order mark, which is skipped. U+FFFF, no
    // character, becomes U+FFFD.
    static bool Utf16Unit(const uint8_t* bytes, char16_t& unit)
    {
        unit = char16_t(LoadU16(bytes));
        if (unit >= ByteOrderMark) [[unlikely]] {
            if (unit == ByteOrderMark)
                return false;
            unit = unit == SourceEnd ? ReplacementChar : unit;
        }
        return true;
    }

    // The position after the unit at position, which was just read.
    template <Form F>
    int32_t After(int32_t position)
    {
        if constexpr (F == Form::Utf16)
            return std::min(position + 2, size_);
        else if constexpr (F == Form::Decoded)
            return positions_[++cursor_];
        else
            return position + 1;
    }
    // Holds the source bytes from position on, at least width of them unless the source ends
    // first.
    void Hold(int32_t position, int32_t width)
    {
        if (position < held_ || position + width > held_ + holding_)
            HoldFrom(position);
    }
    void HoldFrom(int32_t position);

    // Points the cursor at the decoded unit at position, decoding as needed. At the end of the
    // source it returns false, having moved position to the end.
    bool Seek(int32_t& position);
    bool Find(int32_t position);
    void KeepTail();
    void Restart(int32_t position);
    void DecodeNextPiece();

    ZEBFile& source_;
    int32_t size_;
    Form form_;
    CodePageDecoder decoder_;
    const std::array<char16_t, 256>* byteTable_;
    // Source bytes: those held from held_ on, or the piece being decoded.
    std::vector<uint8_t> bytes_;
    int32_t held_ = 0;
    int32_t holding_ = 0;
    // The decoded units and the position of each; positions_[count_] is the position after the
    // last one.
    std::unique_ptr<char16_t[]> units_;
    std::unique_ptr<int32_t[]> positions_;
    size_t count_ = 0;
    size_t cursor_ = 0;
    int32_t fed_ = 0;  // the decoder has decoded every byte below this
};

}  // namespace zeb
