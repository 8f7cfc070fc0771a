#include "storage/BookText.h"

#include "storage/ZEBFile.h"

namespace zeb {

bool BookText::Read(int32_t position, TextRecord& record, std::u16string& word) const
{
    if (position < start_ || int64_t(position) + 2 > end_)
        return false;
    uint8_t length = file_.ReadU8(position);
    if (length != 0 && int64_t(position) + 1 + 2 * int64_t(length) > end_)
        return false;
    record = ReadTextRecord(file_, position, word);
    return true;
}

}  // namespace zeb
