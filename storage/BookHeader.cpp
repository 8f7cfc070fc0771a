#include "storage/BookHeader.h"

#include <algorithm>
#include <cstring>

#include "platform/LittleEndian.h"
#include "storage/ZEBFile.h"

namespace zeb {

const std::array<uint8_t, 16> BookHeader::BookMagic = {
    'Z', 'E', 'B', ' ', 'B', 'o', 'o', 'k', ' ', 'R', 'e', 'a', 'd', 'e', 'r', 0};

BookHeader BookHeader::Read(ZEBFile& file)
{
    uint8_t bytes[BookHeaderSize] = {};
    file.Read(0, bytes, std::min(file.Size(), BookHeaderSize));
    BookHeader h;
    std::memcpy(h.magic.data(), bytes, h.magic.size());
    h.textStart = LoadU32(bytes + 16);
    h.paragTableOffset = LoadU32(bytes + 20);
    h.paragCount = LoadU32(bytes + 24);
    h.lineTableOffset = LoadU32(bytes + 28);
    h.lineCount = LoadU32(bytes + 32);
    h.optionsOffset = LoadU32(bytes + 36);
    return h;
}

void BookHeader::Write(ZEBFile& file) const
{
    file.Write(0, magic.data(), int32_t(magic.size()));
    file.WriteU32(16, textStart);
    file.WriteU32(20, paragTableOffset);
    file.WriteU32(24, paragCount);
    file.WriteU32(28, lineTableOffset);
    file.WriteU32(32, lineCount);
    file.WriteU32(36, optionsOffset);
}

bool BookHeader::IsBook(int64_t fileSize) const
{
    return magic == BookMagic && textStart == uint32_t(TextStart) && paragCount >= 2 &&
           lineCount >= 2 && paragTableOffset > textStart &&
           int64_t(paragTableOffset) + 4 * int64_t(paragCount) == int64_t(lineTableOffset) &&
           int64_t(lineTableOffset) + 4 * int64_t(lineCount) + 16 == int64_t(optionsOffset) &&
           fileSize >= int64_t(optionsOffset);
}

}  // namespace zeb
