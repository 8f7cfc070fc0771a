#include "storage/TextStream.h"

#include <algorithm>
#include <cerrno>
#include <limits>
#include <stdexcept>
#include <string>

#include "platform/LittleEndian.h"
#include "storage/ZEBFile.h"
#include "storage/ZEBIOFailure.h"

namespace zeb {

TextStreamWriter::TextStreamWriter(ZEBFile& file, int32_t position, Mode mode)
    : file_(file), position_(position), mode_(mode), buffer_(new uint8_t[Capacity])
{
    SetLimit();
}

void TextStreamWriter::SetLimit()
{
    const int64_t toLargestFile = std::numeric_limits<int32_t>::max() - int64_t(position_);
    limit_ = int(std::min<int64_t>(Capacity, toLargestFile));
}

void TextStreamWriter::MakeRoom(int bytes)
{
    Flush();
    if (used_ + bytes > limit_)
        PastTheLargestFile();
}

void TextStreamWriter::PastTheLargestFile() const
{
    throw file_.Failure("write", EFBIG);
}

void TextStreamWriter::NoSuchWord(int count)
{
    throw std::invalid_argument("a word record holds 1 to 255 code units, not " +
                                std::to_string(count));
}

void TextStreamWriter::Flush()
{
    if (used_ == 0)
        return;
    file_.Write(position_, buffer_.get(), used_);
    position_ += used_;
    used_ = 0;
    SetLimit();
}

void TextStreamWriter::Word(std::u16string_view word)
{
    int n = int(std::min<size_t>(word.size(), MaxWordRecord));
    uint8_t* units = BeginWord();
    for (int i = 0; i < n; ++i)
        StoreU16(units + 2 * i, word[size_t(i)]);
    EndWord(n);
}

TextRecord ReadTextRecord(ZEBFile& file, int32_t position, std::u16string& word)
{
    uint8_t head[2];
    file.Read(position, head, 2);
    if (head[0] == 0) {
        if (head[1] == 0)
            return {TextRecordKind::LineEnd, 0, position + 2};
        return {TextRecordKind::SpaceRun, head[1], position + 2};
    }
    int n = head[0];
    uint8_t units[2 * MaxWordRecord];
    file.Read(position + 1, units, 2 * n);
    word.resize(size_t(n));
    for (int i = 0; i < n; ++i)
        word[size_t(i)] = char16_t(LoadU16(units + 2 * i));
    return {TextRecordKind::Word, n, position + 1 + 2 * n};
}

}  // namespace zeb
