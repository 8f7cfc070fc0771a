#include "import/WriteTextStream.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "import/SourceCharReader.h"
#include "import/UnitMasks.h"
#include "import/ZEBProgress.h"
#include "platform/LittleEndian.h"
#include "storage/TextStream.h"
#include "storage/ZEBParagInfo.h"

namespace zeb {

namespace {

constexpr char16_t Tab = 0x09;
constexpr int MaxWordChars = 250;  // a paragraph's TAB comes on top

// Turns the characters of one line into records: each run of blanks gives the space runs of
// its spaces (control characters are dropped), each run of visible characters words of at most
// MaxWordChars, written straight into the writer. A paragraph whose lines hold no word passes
// its TAB on to the next word. The characters come in pieces of up to 64, and each piece is
// taken a run at a time from bit masks of its visible characters and its spaces, which spares
// the processor a guess at every character.
template <typename Source>
class LineRecords {
public:
    LineRecords(Source& reader, TextStreamWriter& writer) : reader_(reader), writer_(writer) {}

    void StartParagraph() { newParagraph_ = true; }

    void Write(int32_t position, int32_t end)
    {
        while (int count = reader_.ReadUnits(position, end, piece_, PieceSize))
            TakePiece(count);
        EndWord();
        writer_.SpaceRuns(spaces_);
        spaces_ = 0;
        writer_.LineEnd();
    }

private:
    static constexpr int PieceSize = 64;
    // Whole pieces of characters are copied where the word has room for them.
    static constexpr int CopySize = 16;

    void TakePiece(int count)
    {
        const auto [visible, spaces] = MaskUnits(piece_, count);
        for (int k = 0; k < count;) {
            const uint64_t ahead = visible >> k;
            if (ahead & 1) {
                const int run = std::min(std::countr_one(ahead), count - k);
                AddToWord(piece_ + k, run);
                k += run;
            } else {
                const int run = std::min(std::countr_zero(ahead), count - k);
                EndWord();
                const uint64_t runBits = run == 64 ? ~uint64_t(0) : (uint64_t(1) << run) - 1;
                // The blanks other than spaces are dropped; mostly there are none.
                const uint64_t others = (~visible & ~spaces) >> k & runBits;
                spaces_ += others == 0 ? run : run - std::popcount(others);
                k += run;
            }
        }
    }

    void AddToWord(const char16_t* units, int run)
    {
        while (run > 0) {
            if (length_ == limit_)
                OpenWord();
            const int take = std::min(run, limit_ - length_);
            uint8_t* to = word_ + 2 * length_;
            if (std::endian::native == std::endian::little && take <= CopySize &&
                length_ + CopySize <= MaxWordRecord) {
                std::memcpy(to, units, 2 * CopySize);
            } else {
                for (int k = 0; k < take; ++k)
                    StoreU16(to + 2 * k, units[k]);
            }
            length_ += take;
            units += take;
            run -= take;
        }
    }

    // Ends a full word or writes the spaces before a new one, and opens the next.
    void OpenWord()
    {
        if (length_ > 0) {
            writer_.EndWord(length_);
        } else {
            writer_.SpaceRuns(spaces_);
            spaces_ = 0;
        }
        word_ = writer_.BeginWord();
        StoreU16(word_, Tab);  // kept only when the word opens a paragraph
        length_ = newParagraph_ ? 1 : 0;
        newParagraph_ = false;
        limit_ = length_ + MaxWordChars;
    }

    void EndWord()
    {
        if (length_ > 0)
            writer_.EndWord(length_);
        length_ = limit_ = 0;
    }

    Source& reader_;
    TextStreamWriter& writer_;
    bool newParagraph_ = true;
    int spaces_ = 0;
    // The open word's units in the writer; length_ equals limit_ while no word is open or when
    // the open one is full.
    uint8_t* word_ = nullptr;
    int length_ = 0, limit_ = 0;
    // A copy reads CopySize units wherever a run starts.
    alignas(16) char16_t piece_[PieceSize + CopySize] = {};
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
