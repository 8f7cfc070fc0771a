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

void ZEBTimer::Body()
{
    int64_t base = PerformanceCounter();
    while (alive_) {
        if (!enabled_) {
            SleepMilliseconds(10);
            continue;
        }
        const int64_t period = period_;
        const int64_t now = PerformanceCounter();
        if (base + period <= now) {
            int64_t due = (now - base) / period;
            base += due >= catchUp_ ? due * period : period;
            if (alive_)
                run_(callback_);
        } else if (base + period - TenMs > now || !spin_) {
            SleepMilliseconds(10);
        }
    }
    running_ = false;
}

}  // namespace zeb
