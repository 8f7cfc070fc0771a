#include "render/ZEBTimer.h"

#include <algorithm>
#include <cmath>

#include "platform/Clock.h"

namespace zeb {

namespace {

constexpr double InitialRate = 10.0;
constexpr double MaxRate = 1000.0;
constexpr int64_t TenMs = CounterFrequency / 100;

}  // namespace

ZEBTimer::ZEBTimer(int catchUp, Callback callback, Runner run)
    : catchUp_(catchUp), callback_(std::move(callback)), run_(std::move(run))
{
    SetRate(InitialRate);
    thread_ = std::thread([this] { Body(); });
}

ZEBTimer::~ZEBTimer()
{
    Terminate();
    if (thread_.joinable())
        thread_.join();
}

void ZEBTimer::SetRate(double rate)
{
    rate = std::clamp(rate, 1e-3, MaxRate);
    roundedRate_ = int32_t(std::floor(rate + 0.5));
    period_ = int64_t(double(CounterFrequency) / rate);
}

void ZEBTimer::SetEnabled(bool enabled)
{
    const std::lock_guard lock(mutex_);
    enabled_ = enabled;
    changed_.notify_all();
}

void ZEBTimer::Terminate()
{
    const std::lock_guard lock(mutex_);
    alive_ = false;
    changed_.notify_all();
}

void ZEBTimer::Body()
{
    int64_t base = PerformanceCounter();
    std::unique_lock lock(mutex_);
    while (alive_) {
        if (!enabled_) {
            changed_.wait(lock, [this] { return !alive_ || enabled_; });
            continue;
        }
        const int64_t period = period_;
        const int64_t now = PerformanceCounter();
        if (base + period <= now) {
            int64_t due = (now - base) / period;
            base += due >= catchUp_ ? due * period : period;
            // The window thread may change the timer while the tick runs there.
            lock.unlock();
            if (alive_)
                run_(callback_);
            lock.lock();
        } else if (!spin_) {
            SleepUntil(lock, base + period);
        } else if (base + period - TenMs > now) {
            SleepUntil(lock, base + period - TenMs);
        }
    }
    running_ = false;
}

void ZEBTimer::SleepUntil(std::unique_lock<std::mutex>& lock, int64_t until)
{
    const int64_t left = until - PerformanceCounter();
    if (left > 0)
        changed_.wait_for(lock, std::chrono::nanoseconds(left));
}

}  // namespace zeb
