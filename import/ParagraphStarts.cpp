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
    for (auto line = lines.begin(); line != lines.end(); ++line) {
        if (minimumIndent >= 0 && line != lines.begin() && !std::prev(line)->visible) {
            SetBlock(block, line, minimumIndent, maximum);
            block = line;
            maximum = 0;
            minimumIndent = -1;
        }
        maximum = std::max(maximum, line->length);
        if (line->visible)
            minimumIndent = minimumIndent < 0 ? line->indent : std::min(minimumIndent, line->indent);
    }
    SetBlock(block, lines.end(), minimumIndent, maximum);
}

void MarkParagraphStarts(ZEBLineInfo& lines)
{
    for (size_t k = 1; k < lines.size(); ++k) {
        ZEBLineInfoObject& line = lines[k];
        const ZEBLineInfoObject& previous = lines[k - 1];
        // Three quarters of the narrower block, truncated; the lengths are not negative.
        int64_t shortLine = int64_t(std::min(previous.blockLength, line.blockLength)) * 3 / 4;
        line.paragraphStart =
            (line.visible && !previous.visible) || line.indent > line.blockIndent ||
            (line.visible && previous.visible && line.length < shortLine &&
             previous.length < shortLine);
    }
}

}  // namespace zeb
