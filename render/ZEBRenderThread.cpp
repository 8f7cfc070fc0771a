#include "render/ZEBRenderThread.h"

#include <algorithm>

namespace zeb {

std::unique_ptr<ZEBLineBitmap> ZEBRenderQuenue::TakeResult()
{
    std::unique_ptr<ZEBLineBitmap> result = std::move(Result);
    Cancel();
    return result;
}

void ZEBRenderQuenue::Cancel()
{
    Cancelled = true;
    Result.reset();
    Reduced.reset();
    Enlarged.reset();
}

ZEBRenderQuenue& ZEBRenderThread::Append(std::unique_ptr<ZEBRenderQuenue> request)
{
    // Without steps in between, requests cancelled by scrolling would pile up.
    if (requests_.size() >= purgeAt_) {
        FreeCancelled();
        purgeAt_ = std::max(MinPurgeAt, 2 * requests_.size());
    }
    requests_.push_back(std::move(request));
    return *requests_.back();
}

bool ZEBRenderThread::Step()
{
    if (current_ && HasWork(*current_))
        return step_.Advance(*current_);
    current_ = nullptr;
    FreeCancelled();
    auto next = std::find_if(requests_.begin(), requests_.end(),
                             [](const auto& r) { return HasWork(*r); });
    if (next == requests_.end())
        return false;
    current_ = next->get();
    return step_.Advance(*current_);
}

void ZEBRenderThread::FreeCancelled()
{
    if (current_ && current_->Cancelled)
        current_ = nullptr;
    std::erase_if(requests_, [](const auto& r) { return r->Cancelled; });
}

void ZEBRenderThread::Clear()
{
    current_ = nullptr;
    requests_.clear();
}

}  // namespace zeb
