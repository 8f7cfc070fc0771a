#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>

namespace zeb {

// A periodic tick on a thread of its own. The thread only measures time: each tick is handed
// to run, which carries the callback over to the window thread and waits for it there. While
// disabled the thread sleeps until it is enabled or ended.
class ZEBTimer {
public:
    using Callback = std::function<void()>;
    // Runs a callback where it belongs (the window thread) and returns when it has run.
    using Runner = std::function<void(const Callback&)>;

    // catchUp: when this many ticks or more are overdue, the schedule jumps past them.
    ZEBTimer(int catchUp, Callback callback, Runner run);
    ~ZEBTimer();
    ZEBTimer(const ZEBTimer&) = delete;
    ZEBTimer& operator=(const ZEBTimer&) = delete;

    // Ticks a second, at most 1000.
    void SetRate(double rate);
    int32_t RoundedRate() const { return roundedRate_; }
    void SetEnabled(bool enabled);
    // Without spin the thread sleeps until a tick is due instead of polling the counter for
    // the last 10 ms before one.
    void SetSpin(bool spin) { spin_ = spin; }

    // Asks the thread to end; Running turns false once it has.
    void Terminate();
    bool Running() const { return running_; }

private:
    void Body();
    // Sleeps until the counter reaches until, or something changes.
    void SleepUntil(std::unique_lock<std::mutex>& lock, int64_t until);

    const int catchUp_;
    Callback callback_;
    Runner run_;
    std::atomic<int64_t> period_{0};
    int32_t roundedRate_ = 0;
    std::atomic<bool> enabled_{false};
    std::atomic<bool> spin_{true};
    std::atomic<bool> alive_{true};
    std::atomic<bool> running_{true};
    std::mutex mutex_;
    std::condition_variable changed_;
    std::thread thread_;
};

}  // namespace zeb
