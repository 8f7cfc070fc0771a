// ZIP compression methods by number (APPNOTE.TXT, "compression method"): 0 stored, 1 shrunk,
// 2 to 5 reduced with factor 1 to 4, 6 imploded, 8 deflated. Tokenizing (7), enhanced deflate
// (9) and the later methods are not read. This is where damaged data, raised by any decoder as
// ArchiveDataError, becomes the entry's Damaged result.
#include "library/zip/ZipMethods.h"

namespace zeb {
namespace {

enum Method : uint16_t {
    Stored = 0,
    Shrunk = 1,
    ReducedFirst = 2,
    ReducedLast = 5,
    Imploded = 6,
    Deflated = 8,
};

void CopyStored(ZipInput& in, ExtractedFile& out)
{
    const uint8_t* data;
    while (size_t count = in.Take(data))
        out.Put(data, count);
}

void Decode(uint16_t method, uint16_t flags, uint64_t size, ZipInput& in, ExtractedFile& out)
{
    if (method >= ReducedFirst && method <= ReducedLast) {
        Unreduce(in, out, size, method - ReducedFirst + 1);
        return;
    }
    switch (method) {
    case Stored: CopyStored(in, out); break;
    case Shrunk: Unshrink(in, out, size); break;
    case Imploded: Explode(in, out, size, flags); break;
    default: Inflate(in, out); break;
    }
}

}  // namespace

ZipDecodeResult DecodeZipData(uint16_t method, uint16_t flags, uint64_t size, ZipInput& in,
                              ExtractedFile& out)
{
    if (method > Imploded && method != Deflated)
        return ZipDecodeResult::UnknownMethod;
    try {
        Decode(method, flags, size, in, out);
    } catch (const ArchiveDataError&) {
        return ZipDecodeResult::Damaged;
    }
    // Bytes beyond the declared size were dropped: the entry is not what it claims to be.
    return out.Overflowed() ? ZipDecodeResult::Damaged : ZipDecodeResult::Done;
}

}  // namespace zeb
