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

    // One walk over the line, its state in locals: a word record stays open in the writer
    // while its characters come, and the spaces before it are counted until it opens.
    void Write(int32_t position, int32_t end)
    {
        int spaces = 0;
        uint8_t* units = nullptr;
        int count = 0, limit = 0;  // equal while no word is open, or when the open one is full
        reader_.ReadWhile(position, end, [&](char16_t u) {
            if (u <= Space) {
                if (count > 0)
                    writer_.EndWord(count);
                count = limit = 0;
                spaces += u == Space ? 1 : 0;
                return true;
            }
            if (count == limit) {
                if (count > 0) {
                    writer_.EndWord(count);
                } else {
                    writer_.SpaceRuns(spaces);
                    spaces = 0;
                }
                units = writer_.BeginWord();
                StoreU16(units, Tab);  // kept only when the word opens a paragraph
                count = newParagraph_ ? 1 : 0;
                newParagraph_ = false;
                limit = count + MaxWordChars;
            }
            StoreU16(units + 2 * count++, u);
            return true;
        });
        if (count > 0)
            writer_.EndWord(count);
        writer_.SpaceRuns(spaces);
        writer_.LineEnd();
    }

private:
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
