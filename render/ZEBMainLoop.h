#pragma once

#include <cstdint>
#include <optional>

namespace zeb {

// What the reader's main loop drives.
class ZEBLoopHost {
public:
    virtual ~ZEBLoopHost() = default;
    // Advances the render queue one small step; false when it had nothing to do.
    virtual bool StepRenderQueue() = 0;
    // Handles the window's pending input, paints and timers.
    virtual void ProcessMessages() = 0;
    // Moves the text up one pixel (auto-scroll).
    virtual void AutoScrollStep() = 0;
    // When the next step of an animated move of the text falls due, on the counter; none while
    // no move runs. MotionStep makes the step that is due.
    virtual std::optional<int64_t> MotionDue() const = 0;
    virtual void MotionStep() = 0;
    // Nothing to do until the counter reaches until (none: until something happens): wait for
    // it, or for input, whichever comes first.
    virtual void Idle(std::optional<int64_t> until) = 0;
    // The high-resolution counter and its counts per second.
    virtual int64_t Now() const = 0;
    virtual int64_t Frequency() const = 0;
};

// Steps counted in the current second; the statistics tick takes them every second.
struct StepCounters {
    int32_t Steps = 0;
    int32_t LateSteps = 0;

    bool operator==(const StepCounters&) const = default;
};

// The program's own main loop: auto-scroll steps on absolute due times, the steps of animated
// moves when they fall due, the render queue advanced one step a pass in between, and the
// window's messages handled at least every sixteenth of a second. With nothing to do it sleeps
// until input or a timer wakes it. It runs until Stop.
class ZEBMainLoop {
public:
    // When this many steps or more are overdue (after a suspend, say) the schedule jumps past
    // them instead of catching up in a burst.
    static constexpr int64_t SkipAfter = 8;

    explicit ZEBMainLoop(ZEBLoopHost& host) : host_(host) {}

    void Run();
    // Clears running and ticking; Run returns after its current pass.
    void Stop();

    bool Running() const { return running_; }
    // True from creation until Run has returned.
    bool Active() const { return active_; }
    void SetTicking(bool ticking) { ticking_ = ticking; }
    int64_t Period() const { return period_; }
    void SetPeriod(int64_t period) { period_ = period > 0 ? period : 1; }

    StepCounters& Counters() { return counters_; }
    const StepCounters& Counters() const { return counters_; }

private:
    void Pass();
    void TickingPass();
    void MotionPass();
    void AfterRenderStep(bool busy, bool ticking);
    // Until when an idle pass may wait: none when nothing is due.
    std::optional<int64_t> IdleUntil(bool ticking) const;

    ZEBLoopHost& host_;
    bool running_ = false;
    bool active_ = true;
    bool ticking_ = false;
    int64_t period_ = 1;
    StepCounters counters_;
    int64_t tenMs_ = 0;
    int64_t sixteenth_ = 0;
    int64_t pollMargin_ = 0;  // the 0.2 ms before a due step that are polled, not slept
    int64_t base_ = 0;
    int64_t lastMessages_ = 0;
};

}  // namespace zeb
