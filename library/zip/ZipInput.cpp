// Reads the entry's data in 64 KiB pieces, decrypting each as it comes.
#include "library/zip/ZipInput.h"

#include <algorithm>

namespace zeb {

ZipInput::ZipInput(const ZipArchiveFile& file, uint64_t start, uint64_t size, ZipCrypto* crypto)
    : file_(file), position_(start), remaining_(size), crypto_(crypto),
      buffer_(new uint8_t[BufferSize])
{
}

bool ZipInput::Refill()
{
    if (remaining_ == 0)
        return false;
    size_t count = size_t(std::min<uint64_t>(remaining_, BufferSize));
    file_.ReadAt(position_, buffer_.get(), count);
    if (crypto_)
        crypto_->Decrypt(buffer_.get(), count);
    position_ += count;
    remaining_ -= count;
    next_ = 0;
    end_ = count;
    return true;
}

size_t ZipInput::Take(const uint8_t*& data)
{
    if (next_ == end_ && !Refill())
        return 0;
    data = buffer_.get() + next_;
    size_t count = end_ - next_;
    next_ = end_;
    return count;
}

}  // namespace zeb
