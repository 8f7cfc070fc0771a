#include "storage/BookTextCheck.h"

#include "storage/ZEBFile.h"
#include "storage/ZEBIOFailure.h"

namespace zeb {

namespace {

// One 1 MiB cluster: the check reads straight through.
constexpr int CheckClusterShift = 20;
constexpr int CheckClusterCount = 1;

}  // namespace

BookTextCheck::BookTextCheck(std::string path, int32_t signedEnd)
    : thread_([this, path = std::move(path), signedEnd] { Run(path, signedEnd); })
{
}

BookTextCheck::~BookTextCheck()
{
    stop_ = true;
    thread_.join();
}

std::optional<bool> BookTextCheck::Result() const
{
    if (!done_.load(std::memory_order_acquire))
        return std::nullopt;
    return good_;
}

void BookTextCheck::Run(const std::string& path, int32_t signedEnd)
{
    try {
        ZEBFile file;
        file.Open(path, FileAccess::Read, CheckClusterShift, CheckClusterCount);
        good_ = file.Verify(0, signedEnd, stop_);
    } catch (const ZEBIOFailure&) {
        good_ = false;
    }
    done_.store(true, std::memory_order_release);
}

}  // namespace zeb
