#include "render/TextStreamScan.h"

#include <algorithm>
#include <cstdint>

#include "render/PhraseMatcher.h"
#include "storage/TextStream.h"
#include "storage/ZEBFile.h"

namespace zeb {

namespace {

constexpr int32_t PieceSize = 1 << 20;
// The longest record: a length byte and 255 code units.
constexpr int32_t LongestRecord = 1 + 2 * MaxWordRecord;

}  // namespace

void TextStreamScan::Start(int32_t position)
{
    position_ = position;
    bufferStart_ = bufferEnd_ = position;
}

// Reads the next piece from Position() on, which lies before the text's end.
void TextStreamScan::Fill()
{
    const int32_t count = std::min(PieceSize, textEnd_ - position_);
    buffer_.resize(size_t(PieceSize));
    file_.Read(position_, buffer_.data(), count);
    bufferStart_ = position_;
    bufferEnd_ = position_ + count;
}

void TextStreamScan::FeedRecord(PhraseMatcher& matcher, const uint8_t* record)
{
    if (record[0] != 0) {
        matcher.FeedWord(position_, record + 1, record[0]);
        position_ += 1 + 2 * record[0];
    } else {
        matcher.FeedBlank(position_);
        position_ += 2;
    }
}

int32_t TextStreamScan::Feed(PhraseMatcher& matcher, int32_t stop, int32_t budget)
{
    const int32_t from = position_;
    const int64_t matches = matcher.Matches();
    stop = int32_t(std::min<int64_t>({stop, textEnd_, int64_t(from) + budget}));
    while (position_ < stop && matcher.Matches() == matches) {
        if (bufferEnd_ - position_ < LongestRecord && bufferEnd_ < textEnd_)
            Fill();
        const uint8_t* base = buffer_.data() - bufferStart_;
        if (bufferEnd_ - position_ < LongestRecord) {
            // The text's last records: each must end inside it.
            const uint8_t* record = base + position_;
            if (position_ + (record[0] != 0 ? 1 + 2 * record[0] : 2) > bufferEnd_) {
                position_ = textEnd_;
                break;
            }
            FeedRecord(matcher, record);
            continue;
        }
        // A record that starts before this ends inside the buffer.
        const int32_t whole = std::min(stop, bufferEnd_ - LongestRecord + 1);
        while (position_ < whole && matcher.Matches() == matches)
            FeedRecord(matcher, base + position_);
    }
    return position_ - from;
}

}  // namespace zeb
