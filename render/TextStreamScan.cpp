#include "render/TextStreamScan.h"

#include <algorithm>

#include "render/PhraseMatcher.h"
#include "storage/ZEBFile.h"

namespace zeb {

namespace {

constexpr int32_t PieceSize = 1 << 20;
// The longest record: a length byte and 255 code units.
constexpr int32_t LongestRecord = 1 + 2 * 255;

}  // namespace

void TextStreamScan::Start(int32_t position)
{
    position_ = position;
    bufferStart_ = bufferEnd_ = position;
}

// Reads the next piece from Position() on; false when nothing is left to read.
bool TextStreamScan::Fill()
{
    const int32_t count = std::min(PieceSize, textEnd_ - position_);
    if (count <= 0)
        return false;
    buffer_.resize(size_t(PieceSize));
    file_.Read(position_, buffer_.data(), count);
    bufferStart_ = position_;
    bufferEnd_ = position_ + count;
    return true;
}

int32_t TextStreamScan::Feed(PhraseMatcher& matcher, int32_t stop, int32_t budget)
{
    const int32_t from = position_;
    const int64_t matches = matcher.Matches();
    stop = std::min(stop, textEnd_);
    while (position_ < stop && position_ - from < budget && matcher.Matches() == matches) {
        if (bufferEnd_ - position_ < LongestRecord && bufferEnd_ < textEnd_ && !Fill())
            break;
        const uint8_t* record = buffer_.data() + (position_ - bufferStart_);
        const int32_t length = record[0] != 0 ? 1 + 2 * record[0] : 2;
        if (position_ + length > bufferEnd_) {
            position_ = textEnd_;  // cut off by the text's end
            break;
        }
        if (record[0] != 0)
            matcher.FeedWord(position_, record + 1, record[0]);
        else
            matcher.FeedBlank(position_);
        position_ += length;
    }
    return position_ - from;
}

}  // namespace zeb
