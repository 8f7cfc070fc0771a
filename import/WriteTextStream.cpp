#include "import/WriteTextStream.h"

#include "import/SourceCharReader.h"
#include "import/ZEBProgress.h"
#include "storage/TextStream.h"
#include "storage/ZEBParagInfo.h"

namespace zeb {

namespace {

constexpr char16_t Tab = 0x09, Space = 0x20;
constexpr int MaxWordChars = 250;  // a paragraph's TAB comes on top

// Skips the blanks at position up to end: counts the spaces, drops control characters, and
// stops in front of the next visible character.
int CountSpaces(SourceCharReader& reader, int32_t& position, int32_t end)
{
    int count = 0;
    reader.ReadWhile(position, end, [&count](char16_t c) {
        count += c == Space ? 1 : 0;
        return c <= Space;
    });
    return count;
}

// Writes the word at position: at most MaxWordChars characters before end, up to the next
// blank or control character.
void WriteWord(SourceCharReader& reader, int32_t& position, int32_t end, TextStreamWriter& writer,
               bool& newParagraph)
{
    char16_t word[1 + MaxWordChars];
    int n = 0;
    reader.ReadWhile(position, end, [&](char16_t c) {
        if (c <= Space || n == MaxWordChars)
            return false;
        word[1 + n++] = c;
        return true;
    });
    if (n == 0)
        return;
    if (newParagraph) {
        newParagraph = false;
        word[0] = Tab;
        writer.Word({word, size_t(n) + 1});
    } else {
        writer.Word({word + 1, size_t(n)});
    }
}

void WriteLine(SourceCharReader& reader, const ZEBLineInfoObject& line, TextStreamWriter& writer,
               bool& newParagraph)
{
    int32_t position = line.start;
    while (position < line.end) {
        writer.SpaceRuns(CountSpaces(reader, position, line.end));
        if (position < line.end)
            WriteWord(reader, position, line.end, writer, newParagraph);
    }
    writer.LineEnd();
}

}  // namespace

void WriteTextStream(SourceCharReader& reader, const ZEBLineInfo& lines, TextStreamWriter& writer,
                     ZEBParagInfo& paragraphs, ZEBParagInfo& lineStarts, ZEBProgress& progress)
{
    // A paragraph whose lines hold no word passes its TAB on to the next word written.
    bool newParagraph = true;
    for (const ZEBLineInfoObject& line : lines) {
        if (line.paragraphStart) {
            newParagraph = true;
            paragraphs.Append(writer.Position());
        }
        WriteLine(reader, line, writer, newParagraph);
        lineStarts.Append(writer.Position());
        progress.Progress(int64_t(reader.Size()) + 2 * int64_t(line.end));
    }
}

}  // namespace zeb
