// The compression methods of ZIP entries, by number, and their decoders.
#pragma once

#include <cstdint>

#include "library/common/ExtractedFile.h"
#include "library/zip/ZipInput.h"

namespace zeb {

enum class ZipDecodeResult { Done, Damaged, UnknownMethod };

// Decodes an entry's data by its compression method into out. Decoders that know the end only
// from the size stop after size bytes; Damaged means the data broke the method's rules, ended
// early or ran past the size the entry declares.
ZipDecodeResult DecodeZipData(uint16_t method, uint16_t flags, uint64_t size, ZipInput& in,
                              ExtractedFile& out);

// The decoders behind it, one per method; each raises ArchiveDataError for damaged data.
void Unshrink(ZipInput& in, ExtractedFile& out, uint64_t size);
void Unreduce(ZipInput& in, ExtractedFile& out, uint64_t size, int factor);
void Explode(ZipInput& in, ExtractedFile& out, uint64_t size, uint16_t flags);
void Inflate(ZipInput& in, ExtractedFile& out);

}  // namespace zeb
