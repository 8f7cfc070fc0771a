#pragma once

#include <cstdint>

namespace zeb {

// Ids of the items in a book's options block. The importer writes 1, 2, 8 and 7 in that
// order; the reader rewrites the block when it closes the book.
enum : uint16_t {
    OptPosition = 1,            // reading position, a text-stream offset
    OptPositionFraction = 2,    // where that position sits in the view, 1/65536 of its height
    OptSourceSize = 7,          // size of the imported source in bytes
    OptSourceName = 8,          // name of the imported source, UTF-16
    OptTextFormatting = 0x107,  // the book's own TextFormatting
    OptFontWidth = 0x108,       // the book's own FontWidth
    OptBookmarks = 0x800,       // one child per bookmark, present only when there are any
};

}  // namespace zeb
