#include "platform/Clock.h"

#include <chrono>
#include <thread>

namespace zeb {

namespace {

// What a sleep may overshoot by (the kernel's timer slack is 50 us); the rest of a wait is
// polled.
constexpr int64_t PollStretch = 150'000;

}  // namespace

int64_t PerformanceCounter()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

void SleepMilliseconds(int ms)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

void WaitUntil(int64_t due)
{
    int64_t left = due - PerformanceCounter();
    if (left > PollStretch)
        std::this_thread::sleep_for(std::chrono::nanoseconds(left - PollStretch));
    while (PerformanceCounter() < due)
        std::this_thread::yield();
}

void PreciseWait(double seconds)
{
    WaitUntil(PerformanceCounter() + int64_t(seconds * double(CounterFrequency)));
}

}  // namespace zeb
