#pragma once

#include <cstdint>

namespace zeb {

// The high-resolution counter the timing runs on: nanoseconds of a steady clock.
constexpr int64_t CounterFrequency = 1'000'000'000;
int64_t PerformanceCounter();

// Sleeps ms milliseconds.
void SleepMilliseconds(int ms);

// Returns once the counter has reached due. Linux sleeps precisely, so the wait sleeps until
// just before due and polls only the last stretch, instead of polling all the way.
void WaitUntil(int64_t due);

// The wait between the steps of a timed move: seconds from now, as precisely as WaitUntil.
void PreciseWait(double seconds);

}  // namespace zeb
