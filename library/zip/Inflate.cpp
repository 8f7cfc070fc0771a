// Method 8 (deflated): RFC 1951 through zlib's raw inflate.
#include <memory>
#include <zlib.h>

#include "library/zip/ZipMethods.h"

namespace zeb {
namespace {

constexpr size_t ChunkSize = 1 << 16;

class RawInflater {
public:
    RawInflater() { ready_ = inflateInit2(&stream_, -MAX_WBITS) == Z_OK; }
    ~RawInflater()
    {
        if (ready_)
            inflateEnd(&stream_);
    }
    RawInflater(const RawInflater&) = delete;
    RawInflater& operator=(const RawInflater&) = delete;

    // False when the stream is damaged, ends before its last block, or overflows out.
    bool Run(ZipInput& in, ExtractedFile& out)
    {
        if (!ready_)
            return false;
        auto chunk = std::make_unique<uint8_t[]>(ChunkSize);
        int status = Z_OK;
        while (status != Z_STREAM_END) {
            if (stream_.avail_in == 0 && !Feed(in))
                return false;
            stream_.next_out = chunk.get();
            stream_.avail_out = ChunkSize;
            status = inflate(&stream_, Z_NO_FLUSH);
            if (status != Z_OK && status != Z_STREAM_END && status != Z_BUF_ERROR)
                return false;
            out.Put(chunk.get(), ChunkSize - stream_.avail_out);
            if (out.Overflowed())
                return false;
        }
        return true;
    }

private:
    bool Feed(ZipInput& in)
    {
        const uint8_t* data;
        size_t count = in.Take(data);
        stream_.next_in = const_cast<Bytef*>(data);
        stream_.avail_in = uInt(count);
        return count > 0;
    }

    z_stream stream_{};
    bool ready_ = false;
};

}  // namespace

bool Inflate(ZipInput& in, ExtractedFile& out)
{
    RawInflater inflater;
    return inflater.Run(in, out);
}

}  // namespace zeb
