#pragma once

#include <cstdint>

namespace zeb {

// Ids of the items under the root of a book's options block. "Global.cfg" keeps the program-wide
// text formatting and font width under the same two ids.
constexpr uint16_t OptPosition = 1;          // integer: text-stream offset of the anchor word
constexpr uint16_t OptPositionFraction = 2;  // integer: the anchor line's y x 65536 / view height
constexpr uint16_t OptSourceSize = 7;        // integer: bytes of the imported source
constexpr uint16_t OptSourceName = 8;        // wide string: the source's file name
constexpr uint16_t OptTextFormatting = 0x107;
constexpr uint16_t OptFontWidth = 0x108;
constexpr uint16_t OptBookmarks = 0x800;

// A new book opens at its text start, a quarter of the view height down.
constexpr uint32_t InitialPositionFraction = 16384;

}  // namespace zeb
