#pragma once

#include <atomic>
#include <cstdint>
#include <optional>
#include <string>
#include <thread>

namespace zeb {

// The check of a book's first block signature (its text, tables and header) on a thread of
// its own, through a file of its own, so that a large book is shown while it is checked.
class BookTextCheck {
public:
    // Checks [0, signedEnd) of the book at path against the signature stored at signedEnd.
    BookTextCheck(std::string path, int32_t signedEnd);
    // Gives the check up and waits for the thread, which stops within one cluster.
    ~BookTextCheck();
    BookTextCheck(const BookTextCheck&) = delete;
    BookTextCheck& operator=(const BookTextCheck&) = delete;

    // Nothing while the check runs; then whether the signature holds (false also when the file
    // could not be read).
    std::optional<bool> Result() const;

private:
    void Run(const std::string& path, int32_t signedEnd);

    std::atomic<bool> stop_{false};
    std::atomic<bool> done_{false};
    bool good_ = false;
    std::thread thread_;
};

}  // namespace zeb
