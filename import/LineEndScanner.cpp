#include "import/LineEndScanner.h"

#include <algorithm>
#include <cstring>

#include "import/SourceCharReader.h"
#include "platform/CodePageDecoder.h"
#include "platform/CodePages.h"
#include "storage/ZEBFile.h"

namespace zeb {

namespace {

constexpr char16_t LineFeed = u'\n';

// Code pages of more than one byte per character in which the byte 0x0A is always an LF and
// nothing else gives one: no trail byte of their double, triple or four-byte characters goes
// below 0x30, and they keep no shift state.
constexpr int32_t AsciiLineFeedPages[] = {
    932,    // Shift-JIS: trail bytes 40..7E, 80..FC
    936,    // GBK: trail bytes 40..FE
    949,    // Unified Hangul: trail bytes 41..FE
    950,    // Big5: trail bytes 40..7E, A1..FE
    20932,  // EUC-JP: every byte of a character A1..FE, or 8E / 8F followed by them
    20936,  // GB2312 (EUC-CN): A1..FE
    51949,  // EUC-KR: A1..FE
    54936,  // GB18030: trail bytes 30..39, 40..7E, 80..FE
    65001,  // UTF-8: continuation bytes 80..BF
};

bool HasAsciiLineFeed(int32_t codePage)
{
    return std::find(std::begin(AsciiLineFeedPages), std::end(AsciiLineFeedPages), codePage) !=
           std::end(AsciiLineFeedPages);
}

}  // namespace

LineEndScanner::LineEndScanner(ZEBFile& source, SourceCharReader& reader, int32_t codePage)
    : source_(source), reader_(reader)
{
    if (codePage == UnicodeCodePage) {
        form_ = Form::Utf16;
        return;
    }
    if (codePage == AnsiCodePage)
        codePage = SystemAnsiCodePage();
    if (HasAsciiLineFeed(codePage)) {
        form_ = Form::LineFeedByte;
        return;
    }
    CodePageDecoder decoder(codePage);
    const std::array<char16_t, 256>* table = decoder.ByteTable();
    if (!table)
        return;
    const auto count = std::count(table->begin(), table->end(), LineFeed);
    if (count == 0) {
        form_ = Form::NoLineFeed;
    } else if (count == 1) {
        form_ = Form::LineFeedByte;
        lineFeed_ = uint8_t(std::find(table->begin(), table->end(), LineFeed) - table->begin());
    }
}

std::optional<int32_t> LineEndScanner::Scan(int32_t position,
                                            const std::function<bool(int32_t)>& found)
{
    switch (form_) {
    case Form::NoLineFeed:
        return std::nullopt;
    case Form::Decoded:
        return ScanDecoded(position, found);
    case Form::LineFeedByte:
    case Form::Utf16:
        break;
    }
    return ScanBytes(position, found);
}

// Searches each cluster where it lies in the file's cache. A UTF-16LE unit never straddles two
// clusters: they begin at even offsets and hold an even number of bytes.
std::optional<int32_t> LineEndScanner::ScanBytes(int32_t position,
                                                 const std::function<bool(int32_t)>& found)
{
    const int32_t size = source_.Size();
    const int32_t mask = ~(source_.ClusterSize() - 1);
    const bool utf16 = form_ == Form::Utf16;
    while (position < size) {
        const ZEBFileCluster& cluster = source_.GetCluster(position & mask);
        const uint8_t* bytes = cluster.buffer.get();
        const int32_t start = cluster.start;
        const int32_t stop = std::min(size, start + cluster.validLength);
        while (position < stop) {
            const void* hit =
                std::memchr(bytes + (position - start), lineFeed_, size_t(stop - position));
            if (!hit) {
                position = stop;
                break;
            }
            const int32_t at = start + int32_t(static_cast<const uint8_t*>(hit) - bytes);
            if (!utf16) {
                position = at + 1;
            } else if (at % 2 != 0 || at + 1 >= size || bytes[at + 1 - start] != 0) {
                position = at % 2 != 0 ? at + 1 : at + 2;  // on to the next unit
                continue;
            } else {
                position = at + 2;
            }
            if (!found(position))
                return position;
        }
    }
    return std::nullopt;
}

std::optional<int32_t> LineEndScanner::ScanDecoded(int32_t position,
                                                   const std::function<bool(int32_t)>& found)
{
    const int32_t size = reader_.Size();
    while (reader_.ReadWhile(position, size, [](char16_t unit) { return unit != LineFeed; }) ==
           LineFeed) {
        reader_.ReadSourceChar(position);
        if (!found(position))
            return position;
    }
    return std::nullopt;
}

}  // namespace zeb
