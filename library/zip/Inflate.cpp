// ZIP method 8, deflated: a raw deflate stream (RFC 1951; APPNOTE.TXT, "Deflating - Method
// 8"), decoded by zlib's inflate without a zlib or gzip wrapper.
//
// The stream is a chain of blocks, each starting with a last-block bit and a 2-bit type:
// stored (byte-aligned length, its complement, the bytes), fixed Huffman codes, or dynamic
// Huffman codes sent in front of the block. Symbols are literals, an end-of-block code, or
// lengths 3 to 258 followed by a distance of up to 32 KiB. Unlike the older ZIP methods the
// stream ends itself, with the end code of its last block; the entry's size only bounds it.
// zlib reports a damaged stream (a bad block type, an over-subscribed code, a distance
// before the start of the output) as Z_DATA_ERROR; that, data that ends before the last
// block, and output beyond the entry's size all count as damaged here.
#include <memory>
#include <new>
#include <zlib.h>

#include "library/zip/ZipMethods.h"

namespace zeb {
namespace {

constexpr size_t ChunkSize = 1 << 16;

class RawInflater {
public:
    RawInflater()
    {
        // Setting up only fails for want of memory.
        if (inflateInit2(&stream_, -MAX_WBITS) != Z_OK)
            throw std::bad_alloc();
    }
    ~RawInflater() { inflateEnd(&stream_); }
    RawInflater(const RawInflater&) = delete;
    RawInflater& operator=(const RawInflater&) = delete;

    void Run(ZipInput& in, ExtractedFile& out)
    {
        auto chunk = std::make_unique<uint8_t[]>(ChunkSize);
        int status = Z_OK;
        while (status != Z_STREAM_END) {
            if (stream_.avail_in == 0)
                Feed(in);
            stream_.next_out = chunk.get();
            stream_.avail_out = ChunkSize;
            status = inflate(&stream_, Z_NO_FLUSH);
            if (status != Z_OK && status != Z_STREAM_END && status != Z_BUF_ERROR)
                throw ArchiveDataError();
            out.Put(chunk.get(), ChunkSize - stream_.avail_out);
            // Stop at once rather than inflate what cannot be kept.
            if (out.Overflowed())
                throw ArchiveDataError();
        }
    }

private:
    void Feed(ZipInput& in)
    {
        const uint8_t* data;
        size_t count = in.Take(data);
        if (count == 0)
            throw ArchiveDataError();  // the data ends before the last block does
        stream_.next_in = const_cast<Bytef*>(data);
        stream_.avail_in = uInt(count);
    }

    z_stream stream_{};
};

}  // namespace

void Inflate(ZipInput& in, ExtractedFile& out)
{
    RawInflater inflater;
    inflater.Run(in, out);
}

}  // namespace zeb
