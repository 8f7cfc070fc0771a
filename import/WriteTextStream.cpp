#include "import/WriteTextStream.h"

#include "import/SourceCharReader.h"
#include "import/ZEBProgress.h"
#include "storage/TextStream.h"
#include "storage/ZEBParagInfo.h"

namespace zeb {

namespace {

constexpr char16_t Tab = 0x09, Space = 0x20;
constexpr int MaxWordChars = 250;  // a paragraph's TAB comes on top

// Turns the characters of one line into records: each run of blanks gives the space runs of
// its spaces (control characters are dropped), each run of visible characters words of at most
// MaxWordChars. A paragraph whose lines hold no word passes its TAB on to the next word.
class LineRecords {
public:
    explicit LineRecords(TextStreamWriter& writer) : writer_(writer) {}

    void StartParagraph() { newParagraph_ = true; }

    void Take(char16_t c)
    {
        if (c > Space) {
            if (spaces_ > 0)
                EndSpaces();
            if (length_ == MaxWordChars)
                EndWord();
            word_[1 + length_++] = c;
            return;
        }
        EndWord();
        spaces_ += c == Space ? 1 : 0;
    }

    void EndLine()
    {
        EndWord();
        EndSpaces();
        writer_.LineEnd();
    }

private:
    void EndSpaces()
    {
        writer_.SpaceRuns(spaces_);
        spaces_ = 0;
    }

    void EndWord()
    {
        if (length_ == 0)
            return;
        if (newParagraph_) {
            newParagraph_ = false;
            word_[0] = Tab;
            writer_.Word({word_, size_t(length_) + 1});
        } else {
            writer_.Word({word_ + 1, size_t(length_)});
        }
        length_ = 0;
    }

    TextStreamWriter& writer_;
    bool newParagraph_ = true;
    int spaces_ = 0;
    int length_ = 0;
    char16_t word_[1 + MaxWordChars];
};

}  // namespace

void WriteTextStream(SourceCharReader& reader, const ZEBLineInfo& lines, TextStreamWriter& writer,
                     ZEBParagInfo& paragraphs, ZEBParagInfo& lineStarts, ZEBProgress& progress)
{
    LineRecords records(writer);
    for (const ZEBLineInfoObject& line : lines) {
        if (line.paragraphStart) {
            records.StartParagraph();
            paragraphs.Append(writer.Position());
        }
        int32_t position = line.start;
        reader.ReadWhile(position, line.end, [&records](char16_t c) {
            records.Take(c);
            return true;
        });
        records.EndLine();
        lineStarts.Append(writer.Position());
        progress.Progress(int64_t(reader.Size()) + 2 * int64_t(line.end));
    }
}

}  // namespace zeb
