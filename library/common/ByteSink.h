// Where decoders put their output: MemberFile for ARJ, LZH and HA, ExtractedFile for ZIP, RAR.
#pragma once

#include <cstddef>
#include <cstdint>

namespace zeb {

// Where decoded bytes go, in order.
class ByteSink {
public:
    virtual ~ByteSink() = default;
    virtual void Put(const uint8_t* data, size_t count) = 0;
};

}  // namespace zeb
