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

template <typename Source>
int32_t ScanLine(Source& reader, int32_t position, ZEBLineInfoObject& line)
{
    const int32_t size = reader.Size();
    int64_t length = 0, indent = 0;
    char16_t highest = 0;  // of the rest of the line
    char16_t c = reader.ReadWhile(position, size, [&](char16_t u) {
        if (u == Space) {
            ++length;
            ++indent;
        } else if (u == Tab) {
            length = length / 8 * 8 + 8;
            indent = indent / 8 * 8 + 8;
        } else if (u != CarriageReturn) {
            return false;
        }
        return true;
    });
    if (c != SourceEnd) {
        // The character that ends the leading blanks counts there and, an LF excepted, once
        // more with the rest of the line.
        ++length;
        if (c != LineFeed) {
            c = reader.ReadWhile(position, size, [&](char16_t u) {
                if (u == LineFeed)
                    return false;
                ++length;
                highest = std::max(highest, u);
                return true;
            });
        }
        if (c == LineFeed)
            reader.ReadSourceChar(position);
    }
    line.indent = Saturated(indent);
    line.length = Saturated(length);
    line.visible = highest > Space;
    return position;
}

}  // namespace

ZEBLineInfo ScanSource(SourceCharReader& reader, ZEBProgress& progress)
{
    ZEBLineInfo lines;
    reader.InItsForm([&](auto source) {
        for (int32_t position = 0; position < source.Size();) {
            ZEBLineInfoObject& line = lines.emplace_back();
            line.start = position;
            position = ScanLine(source, position, line);
            line.end = position;
            progress.Progress(position);
        }
    });
    return lines;
}

}  // namespace zeb
