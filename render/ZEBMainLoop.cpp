#include "render/ZEBMainLoop.h"

#include <algorithm>

namespace zeb {

void ZEBMainLoop::Run()
{
    const int64_t frequency = host_.Frequency();
    tenMs_ = frequency / 100;
    sixteenth_ = frequency / 16;
    pollMargin_ = frequency / 5000;
    period_ = std::max<int64_t>(1, frequency);  // one step a second until the settings set it
    counters_.LateSteps = 0;
    base_ = host_.Now();
    // The first pass handles what arrived meanwhile (the first page's paint, say) at once.
    lastMessages_ = base_ - sixteenth_ - 1;
    running_ = true;
    while (running_)
        Pass();
    active_ = false;
}

void ZEBMainLoop::Stop()
{
    ticking_ = false;
    running_ = false;
}

void ZEBMainLoop::Pass()
{
    if (ticking_)
        TickingPass();
    MotionPass();
    bool ticking = ticking_;
    AfterRenderStep(host_.StepRenderQueue(), ticking);
}

void ZEBMainLoop::TickingPass()
{
    const int64_t now = host_.Now();
    if (base_ + period_ > now)
        return;
    if (base_ + 2 * period_ <= now)
        ++counters_.LateSteps;
    int64_t due = (now - base_) / period_;
    base_ += due >= SkipAfter ? due * period_ : period_;
    host_.AutoScrollStep();
}

void ZEBMainLoop::MotionPass()
{
    const std::optional<int64_t> due = host_.MotionDue();
    if (due && *due <= host_.Now())
        host_.MotionStep();
}

void ZEBMainLoop::AfterRenderStep(bool busy, bool ticking)
{
    if (busy) {
        if (host_.Now() - lastMessages_ > sixteenth_) {
            host_.ProcessMessages();
            lastMessages_ = host_.Now();
        }
        return;
    }
    host_.ProcessMessages();
    lastMessages_ = host_.Now();
    if (!running_)
        return;
    const std::optional<int64_t> until = IdleUntil(ticking);
    if (!until || *until > lastMessages_)
        host_.Idle(until);
}

// While auto-scroll runs, input is waited for at most 10 ms at a time and until just before
// the next step falls due; a move's next step bounds the wait too. Otherwise only input or a
// timer ends it.
std::optional<int64_t> ZEBMainLoop::IdleUntil(bool ticking) const
{
    std::optional<int64_t> until;
    if (ticking_)
        until = lastMessages_ + tenMs_;
    if (ticking && ticking_)
        until = std::min(*until, base_ + period_ - pollMargin_);
    if (const std::optional<int64_t> due = host_.MotionDue())
        until = std::min(until.value_or(*due), *due);
    return until;
}

}  // namespace zeb
