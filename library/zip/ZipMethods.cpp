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

bool CopyStored(ZipInput& in, ExtractedFile& out)
{
    const uint8_t* data;
    while (size_t count = in.Take(data))
        out.Put(data, count);
    return true;
}

bool Decode(uint16_t method, uint16_t flags, uint64_t size, ZipInput& in, ExtractedFile& out)
{
    if (method >= ReducedFirst && method <= ReducedLast)
        return Unreduce(in, out, size, method - ReducedFirst + 1);
    switch (method) {
    case Stored: return CopyStored(in, out);
    case Shrunk: return Unshrink(in, out, size);
    case Imploded: return Explode(in, out, size, flags);
    default: return Inflate(in, out);
    }
}

}  // namespace

ZipDecodeResult DecodeZipData(uint16_t method, uint16_t flags, uint64_t size, ZipInput& in,
                              ExtractedFile& out)
{
    if (method > Imploded && method != Deflated)
        return ZipDecodeResult::UnknownMethod;
    bool intact = Decode(method, flags, size, in, out) && !out.Overflowed();
    return intact ? ZipDecodeResult::Done : ZipDecodeResult::Damaged;
}

}  // namespace zeb
