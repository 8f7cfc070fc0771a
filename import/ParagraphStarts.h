#pragma once

#include "import/ZEBLineInfo.h"

namespace zeb {

// Splits the lines into blocks and gives every line its block's least visible indent and
// greatest length. A block is a run of visible lines with the blank lines before it and the
// first blank line after it; blank lines after the last such block form a block of their own
// whose indent stays -1.
void MarkBlocks(ZEBLineInfo& lines);

// Marks the lines that begin a paragraph, after MarkBlocks: a visible line after a blank one;
// a line indented deeper than its block; a visible line that, like the visible line before it,
// is shorter than three quarters of their blocks' width. The first line is never marked: the
// first paragraph begins with the text.
void MarkParagraphStarts(ZEBLineInfo& lines);

}  // namespace zeb
