#include "storage/TextStream.h"

#include <algorithm>

#include "platform/LittleEndian.h"
#include "storage/ZEBFile.h"

namespace zeb {

void TextStreamWriter::SpaceRuns(int count)
{
    while (count > 0) {
        int run = std::min(count, MaxSpaceRun);
        uint8_t record[2] = {0, uint8_t(run)};
        file_.Write(position_, record, 2);
        position_ += 2;
        count -= run;
    }
}

void TextStreamWriter::Word(std::u16string_view word)
{
    uint8_t record[1 + 2 * MaxWordRecord];
    int n = int(std::min<size_t>(word.size(), MaxWordRecord));
    record[0] = uint8_t(n);
    for (int i = 0; i < n; ++i)
        StoreU16(record + 1 + 2 * i, word[size_t(i)]);
    file_.Write(position_, record, 1 + 2 * n);
    position_ += 1 + 2 * n;
}

void TextStreamWriter::LineEnd()
{
    uint8_t record[2] = {0, 0};
    file_.Write(position_, record, 2);
    position_ += 2;
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
