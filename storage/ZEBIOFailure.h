#pragma once

#include <stdexcept>

namespace zeb {

// The one failure of the file layer: a failed positioning, a short read or write, an access
// while closed, or an options block that runs past the end of its file.
class ZEBIOFailure : public std::runtime_error {
public:
    ZEBIOFailure() : std::runtime_error("I/O failure") {}
    int Code() const { return 1; }
};

}  // namespace zeb
