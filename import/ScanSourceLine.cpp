#include "import/ScanSourceLine.h"

#include <algorithm>
#include <limits>

#include "import/SourceCharReader.h"
#include "import/ZEBProgress.h"

namespace zeb {

namespace {

constexpr char16_t Tab = 0x09, LineFeed = 0x0A, CarriageReturn = 0x0D, Space = 0x20;

int32_t Saturated(int64_t columns)
{
    return int32_t(std::min<int64_t>(columns, std::numeric_limits<int32_t>::max()));
}

// Counts the leading blanks; gives the character that ended them, or SourceEnd when the
// source ended first.
char16_t LeadingBlanks(SourceCharReader& reader, int32_t& position, int64_t& length,
                       int64_t& indent)
{
    while (position < reader.Size()) {
        char16_t c = reader.ReadSourceChar(position);
        if (c == CarriageReturn)
            continue;
        if (c == SourceEnd)
            break;
        ++length;
        if (c == Space) {
            ++indent;
        } else if (c == Tab) {
            length = (length - 1) / 8 * 8 + 8;
            indent = indent / 8 * 8 + 8;
        } else {
            return c;
        }
    }
    return SourceEnd;
}

}  // namespace

int32_t ScanSourceLine(SourceCharReader& reader, int32_t position, ZEBLineInfoObject& line)
{
    int64_t length = 0, indent = 0;
    bool visible = false;
    // The character that ended the leading blanks is counted again here, an LF excepted.
    for (char16_t c = LeadingBlanks(reader, position, length, indent);
         c != LineFeed && c != SourceEnd;) {
        ++length;
        if (c > Space)
            visible = true;
        if (position >= reader.Size())
            break;
        c = reader.ReadSourceChar(position);
    }
    line.indent = Saturated(indent);
    line.length = Saturated(length);
    line.visible = visible;
    return position;
}

ZEBLineInfo ScanSource(SourceCharReader& reader, ZEBProgress& progress)
{
    ZEBLineInfo lines;
    for (int32_t position = 0; position < reader.Size();) {
        ZEBLineInfoObject& line = lines.emplace_back();
        line.start = position;
        position = ScanSourceLine(reader, position, line);
        line.end = position;
        progress.Progress(position);
    }
    return lines;
}

}  // namespace zeb
