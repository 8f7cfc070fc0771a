#include "import/SourceCharReader.h"

#include "storage/ZEBFile.h"

namespace zeb {

namespace {

constexpr int32_t PieceSize = 64 * 1024;
// Units kept from the previous piece, so that a caller can step back over the last one read.
constexpr size_t KeptUnits = 2;
constexpr size_t Capacity = KeptUnits + size_t(CodePageDecoder::Room(PieceSize)) + 1;

}  // namespace

SourceCharReader::SourceCharReader(ZEBFile& source, int32_t codePage)
    : source_(source),
      size_(source.Size()),
      decoder_(codePage),
      byteTable_(decoder_.ByteTable()),
      bytes_(PieceSize)
{
    if (codePage == UnicodeCodePage) {
        form_ = Form::Utf16;
    } else if (byteTable_) {
        bool marks = std::find(byteTable_->begin(), byteTable_->end(), ByteOrderMark) !=
                     byteTable_->end();
        form_ = marks ? Form::SingleBytesWithMarks : Form::SingleBytes;
    } else {
        form_ = Form::Decoded;
        units_.reset(new char16_t[Capacity]);
        positions_.reset(new int32_t[Capacity]);
        positions_[0] = 0;
    }
}

void SourceCharReader::HoldFrom(int32_t position)
{
    held_ = position;
    holding_ = std::min(PieceSize, size_ - position);
    source_.Read(position, bytes_.data(), holding_);
}

bool SourceCharReader::Seek(int32_t& position)
{
    if (position >= size_)
        return false;
    if (Find(position))
        return true;
    if (position == positions_[count_])
        KeepTail();
    else
        Restart(position);
    size_t first = count_;
    while (count_ == first && fed_ < size_)
        DecodeNextPiece();
    if (count_ == first) {
        position = size_;  // the rest held no character
        return false;
    }
    cursor_ = first;
    return true;
}

bool SourceCharReader::Find(int32_t position)
{
    if (cursor_ > 0 && positions_[cursor_ - 1] == position) {
        --cursor_;
        return true;
    }
    const int32_t* begin = positions_.get();
    const int32_t* end = begin + count_;
    const int32_t* it = std::lower_bound(begin, end, position);
    if (it == end || *it != position)
        return false;
    cursor_ = size_t(it - begin);
    return true;
}

void SourceCharReader::KeepTail()
{
    size_t drop = count_ > KeptUnits ? count_ - KeptUnits : 0;
    std::copy(units_.get() + drop, units_.get() + count_, units_.get());
    std::copy(positions_.get() + drop, positions_.get() + count_ + 1, positions_.get());
    count_ -= drop;
    cursor_ = count_;
}

void SourceCharReader::Restart(int32_t position)
{
    decoder_.Reset();
    count_ = 0;
    cursor_ = 0;
    positions_[0] = position;
    fed_ = position;
}

// Pieces end after their last LF byte, if they hold one, so that no character and, in every
// code page here, no shift state is cut.
void SourceCharReader::DecodeNextPiece()
{
    int32_t take = std::min(PieceSize, size_ - fed_);
    source_.Read(fed_, bytes_.data(), take);
    bool last = fed_ + take == size_;
    if (!last) {
        auto piece = bytes_.rbegin() + (PieceSize - take);
        auto lineFeed = std::find(piece, bytes_.rend(), uint8_t('\n'));
        if (lineFeed != bytes_.rend())
            take = int32_t(bytes_.rend() - lineFeed);
    }
    int32_t produced = 0;
    int32_t used = decoder_.Decode({bytes_.data(), take, fed_, last}, units_.get() + count_,
                                   positions_.get() + count_, produced);
    count_ += size_t(produced);
    fed_ += used;
    positions_[count_] = count_ > 0 ? std::max(fed_, positions_[count_ - 1] + 1) : fed_;
}

}  // namespace zeb
