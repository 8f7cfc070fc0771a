#include "storage/TextStream.h"

#include <algorithm>
#include <limits>

#include "platform/LittleEndian.h"
#include "storage/ZEBFile.h"
#include "storage/ZEBIOFailure.h"

namespace zeb {

TextStreamWriter::TextStreamWriter(ZEBFile& file, int32_t position, Mode mode)
    : file_(file), position_(position), mode_(mode), buffer_(new uint8_t[Capacity])
{
}

uint8_t* TextStreamWriter::Reserve(int bytes)
{
    if (used_ + bytes > Capacity)
        Flush();
    if (int64_t(position_) + used_ + bytes > std::numeric_limits<int32_t>::max())
        throw ZEBIOFailure();
    uint8_t* room = buffer_.get() + used_;
    used_ += bytes;
    return room;
}

void TextStreamWriter::Flush()
{
    if (used_ == 0)
        return;
    file_.Write(position_, buffer_.get(), used_);
    position_ += used_;
    used_ = 0;
}

void TextStreamWriter::SpaceRuns(int count)
{
    while (count > 0) {
        int run = std::min(count, MaxSpaceRun);
        uint8_t* record = Reserve(2);
        record[0] = 0;
        record[1] = uint8_t(run);
        count -= run;
    }
    Commit();
}

void TextStreamWriter::Word(std::u16string_view word)
{
    int n = int(std::min<size_t>(word.size(), MaxWordRecord));
    uint8_t* record = Reserve(1 + 2 * n);
    record[0] = uint8_t(n);
    for (int i = 0; i < n; ++i)
        StoreU16(record + 1 + 2 * i, word[size_t(i)]);
    Commit();
}

void TextStreamWriter::LineEnd()
{
    uint8_t* record = Reserve(2);
    record[0] = 0;
    record[1] = 0;
    Commit();
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
