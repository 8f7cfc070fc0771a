#include "import/WriteTextStream.h"

#include "import/SourceCharReader.h"
#include "import/ZEBProgress.h"
#include "platform/LittleEndian.h"
#include "storage/TextStream.h"
#include "storage/ZEBParagInfo.h"

namespace zeb {

namespace {

constexpr char16_t Tab = 0x09, Space = 0x20;
constexpr int MaxWordChars = 250;  // a paragraph's TAB comes on top

// Turns the characters of one line into records: each run of blanks gives the space runs of
// its spaces (control characters are dropped), each run of visible characters words of at most
// MaxWordChars, written straight into the writer. A paragraph whose lines hold no word passes
// its TAB on to the next word.
template <typename Source>
class LineRecords {
public:
    LineRecords(Source& reader, TextStreamWriter& writer)
        : reader_(reader), writer_(writer)
    {
    }

    void StartParagraph() { newParagraph_ = true; }

    void Write(int32_t position, int32_t end)
    {
        while (position < end) {
            int spaces = 0;
            char16_t c = reader_.ReadWhile(position, end, [&spaces](char16_t u) {
                spaces += u == Space ? 1 : 0;
                return u <= Space;
            });
            writer_.SpaceRuns(spaces);
            if (c == SourceEnd)
                break;
            WriteWord(position, end);
        }
        writer_.LineEnd();
    }

private:
    // The word at position, which holds a visible character.
    void WriteWord(int32_t& position, int32_t end)
    {
        uint8_t* units = writer_.BeginWord();
        int count = 0;
        if (newParagraph_) {
            newParagraph_ = false;
            StoreU16(units, Tab);
            count = 1;
        }
        const int limit = count + MaxWordChars;
        reader_.ReadWhile(position, end, [&](char16_t u) {
            if (u <= Space || count == limit)
                return false;
            StoreU16(units + 2 * count++, u);
            return true;
        });
        writer_.EndWord(count);
    }

    Source& reader_;
    TextStreamWriter& writer_;
    bool newParagraph_ = true;
};

}  // namespace

void WriteTextStream(SourceCharReader& reader, const ZEBLineInfo& lines, TextStreamWriter& writer,
                     ZEBParagInfo& paragraphs, ZEBParagInfo& lineStarts, ZEBProgress& progress)
{
    reader.InItsForm([&](auto source) {
        LineRecords records(source, writer);
        for (const ZEBLineInfoObject& line : lines) {
            if (line.paragraphStart) {
                records.StartParagraph();
                paragraphs.Append(writer.Position());
            }
            records.Write(line.start, line.end);
            lineStarts.Append(writer.Position());
            progress.Progress(int64_t(source.Size()) + 2 * int64_t(line.end));
        }
    });
}

}  // namespace zeb
