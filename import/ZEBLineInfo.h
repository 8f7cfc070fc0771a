#pragma once

#include <cstdint>
#include <deque>

namespace zeb {

// What the scan learns about one source line, and what the paragraph passes decide about it.
struct ZEBLineInfoObject {
    int32_t start = 0;         // byte offset of the line's first byte in the source
    int32_t end = 0;           // just past its LF, or the end of the source
    // Columns, saturated at INT32_MAX (a line of some hundred million TABs).
    int32_t indent = 0;        // of the leading spaces and TABs
    int32_t length = 0;        // as counted by ScanSourceLine
    int32_t blockIndent = -1;  // the least indent of a visible line of the block; -1 for none
    int32_t blockLength = 0;   // the longest length in the line's block
    bool visible = false;      // holds a character above U+0020
    bool paragraphStart = false;
};

// One record per source line, in source order. A deque grows without copying what it holds,
// which keeps the peak memory of a large import near the records themselves.
using ZEBLineInfo = std::deque<ZEBLineInfoObject>;

}  // namespace zeb
