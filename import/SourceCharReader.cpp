#include "import/SourceCharReader.h"

#include <algorithm>

#include "storage/ZEBFile.h"

namespace zeb {

namespace {

constexpr int32_t PieceSize = 64 * 1024;
// Units kept from the previous piece, so that a caller can step back over the last one read.
constexpr size_t KeptUnits = 2;

}  // namespace

SourceCharReader::SourceCharReader(ZEBFile& source, int32_t codePage)
    : source_(source),
      size_(source.Size()),
      unicode_(codePage == UnicodeCodePage),
      decoder_(codePage),
      positions_{0}
{
}

bool SourceCharReader::Seek(int32_t& position)
{
    if (position >= size_)
        return false;
    if (Find(position))
        return true;
    if (position == positions_.back()) {
        size_t drop = Cached() > KeptUnits ? Cached() - KeptUnits : 0;
        units_.erase(units_.begin(), units_.begin() + std::ptrdiff_t(drop));
        positions_.erase(positions_.begin(), positions_.begin() + std::ptrdiff_t(drop));
    } else {
        Restart(position);
    }
    size_t first = Cached();
    while (Cached() == first && fed_ < size_)
        DecodeNextPiece();
    if (Cached() == first) {
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
    auto end = positions_.begin() + std::ptrdiff_t(Cached());
    auto it = std::lower_bound(positions_.begin(), end, position);
    if (it == end || *it != position)
        return false;
    cursor_ = size_t(it - positions_.begin());
    return true;
}

void SourceCharReader::Restart(int32_t position)
{
    decoder_.Reset();
    units_.clear();
    positions_.assign(1, position);
    fed_ = position;
    cursor_ = 0;
}

// Pieces of a byte code page end after their last LF byte, if they hold one, so that no
// character and, in every code page here, no shift state is cut.
void SourceCharReader::DecodeNextPiece()
{
    int32_t take = std::min(PieceSize, size_ - fed_);
    bytes_.resize(size_t(take));
    source_.Read(fed_, bytes_.data(), take);
    bool last = fed_ + take == size_;
    if (!last && !unicode_) {
        auto lineFeed = std::find(bytes_.rbegin(), bytes_.rend(), uint8_t('\n'));
        if (lineFeed != bytes_.rend())
            take = int32_t(bytes_.rend() - lineFeed);
    }
    pieceUnits_.clear();
    pieceStarts_.clear();
    int32_t used = decoder_.Decode(bytes_.data(), take, last, pieceUnits_, pieceStarts_);
    int32_t base = fed_;
    fed_ += used;
    positions_.pop_back();
    AppendPiece(base, fed_);
}

// Gives every unit of the piece its own position: the byte its character begins at, and for
// the further units of one character the bytes after it, as far as the character reaches (a
// unit that finds no byte left is dropped). A U+FFFF of the text would read as the end.
void SourceCharReader::AppendPiece(int32_t base, int32_t end)
{
    int32_t next = positions_.empty() ? base : positions_.back() + 1;
    size_t n = pieceUnits_.size();
    for (size_t k = 0; k < n;) {
        size_t j = k;
        while (j < n && pieceStarts_[j] == pieceStarts_[k])
            ++j;
        int32_t start = std::max(base + pieceStarts_[k], next);
        int32_t limit = std::max(j < n ? base + pieceStarts_[j] : end, start + 1);
        for (size_t u = k; u < j && start < limit; ++u, ++start) {
            char16_t unit = pieceUnits_[u];
            units_.push_back(unit == SourceEnd ? ReplacementChar : unit);
            positions_.push_back(start);
        }
        next = start;
        k = j;
    }
    positions_.push_back(std::max(end, next));
}

}  // namespace zeb
