#pragma once

#include <stdexcept>
#include <string>

namespace zeb {

// The one failure of the file layer: a failed positioning, a short read or write, an access
// while closed, or an options block that runs past the end of its file. It carries 1, as the
// logic expects, and what is known of the cause, for the messages: what() reads "cannot write
// Books/00000003.book: No space left on device", or "I/O failure" when nothing is known.
class ZEBIOFailure : public std::runtime_error {
public:
    ZEBIOFailure() : std::runtime_error("I/O failure") {}
    // action is a verb ("read", "write", "open", ...); error is an errno value, 0 for a read
    // that met the end of the file.
    ZEBIOFailure(const std::string& action, const std::string& path, int error);

    int Code() const { return 1; }
    const std::string& Path() const { return path_; }
    int SystemError() const { return error_; }

private:
    std::string path_;
    int error_ = 0;
};

}  // namespace zeb
