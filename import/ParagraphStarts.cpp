#include "import/ParagraphStarts.h"

#include <algorithm>

namespace zeb {

namespace {

void SetBlock(ZEBLineInfo::iterator first, ZEBLineInfo::iterator last, int32_t indent,
              int32_t length)
{
    for (; first != last; ++first) {
        first->blockIndent = indent;
        first->blockLength = length;
    }
}

}  // namespace

void MarkBlocks(ZEBLineInfo& lines)
{
    auto block = lines.begin();
    int32_t maximum = 0, minimumIndent = -1;
    bool afterBlankLine = false;
    for (auto line = lines.begin(); line != lines.end(); ++line) {
        if (minimumIndent >= 0 && afterBlankLine) {
            SetBlock(block, line, minimumIndent, maximum);
            block = line;
            maximum = 0;
            minimumIndent = -1;
        }
        maximum = std::max(maximum, line->length);
        if (line->visible)
            minimumIndent = minimumIndent < 0 ? line->indent : std::min(minimumIndent, line->indent);
        afterBlankLine = !line->visible;
    }
    SetBlock(block, lines.end(), minimumIndent, maximum);
}

void MarkParagraphStarts(ZEBLineInfo& lines)
{
    if (lines.empty())
        return;
    for (auto previous = lines.begin(), line = std::next(previous); line != lines.end();
         previous = line++) {
        // Three quarters of the narrower block, truncated; the lengths are not negative.
        int64_t shortLine = int64_t(std::min(previous->blockLength, line->blockLength)) * 3 / 4;
        line->paragraphStart =
            (line->visible && !previous->visible) || line->indent > line->blockIndent ||
            (line->visible && previous->visible && line->length < shortLine &&
             previous->length < shortLine);
    }
}

}  // namespace zeb
