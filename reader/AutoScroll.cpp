#include "reader/AutoScroll.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QThread>

#include "platform/Clock.h"
#include "render/AutoScrollRate.h"

namespace zeb {

namespace {

// The statistics timer ticks five times a second, and a tick more than two periods late
// moves its schedule on instead of catching up.
constexpr double StatisticsRate = 5.0;
constexpr int StatisticsCatchUp = 2;
constexpr int TicksPerSecond = 5;

}  // namespace

AutoScroll::AutoScroll(ZEBRenderParag& engine, ZEBOptions& options, ViewScroller& scroller)
    : engine_(engine),
      options_(options),
      scroller_(scroller),
      timer_(StatisticsCatchUp, [this] { StatisticsTick(); },
             [this](const ZEBTimer::Callback& tick) {
                 // The tick runs on the window thread; the timer's thread waits for it.
                 QMetaObject::invokeMethod(this, tick, Qt::BlockingQueuedConnection);
             })
{
    wake_.setSingleShot(true);
    wake_.setTimerType(Qt::PreciseTimer);
    timer_.SetRate(StatisticsRate);
    timer_.SetSpin(false);
}

AutoScroll::~AutoScroll()
{
    EndTimer();
}

void AutoScroll::RunLoop()
{
    loop_.Run();
}

void AutoScroll::Toggle()
{
    const bool on = !options_.Settings().AutoScrollActive;
    options_.SetAutoScrollActive(on);
    loop_.SetTicking(on);
    timer_.SetEnabled(on);
    loop_.Counters() = {};
    lastSecond_ = {};
    ticks_ = 0;
    engine_.Host().RepaintView();
}

void AutoScroll::Stop()
{
    if (options_.Settings().AutoScrollActive)
        Toggle();
}

void AutoScroll::UpdateRate()
{
    loop_.SetPeriod(StepPeriod(engine_, options_.Settings(), CounterFrequency));
}

void AutoScroll::EndTimer()
{
    timer_.Terminate();
    while (timer_.Running()) {
        QCoreApplication::processEvents();
        SleepMilliseconds(10);
    }
}

bool AutoScroll::StepRenderQueue()
{
    return engine_.Queue().Step();
}

void AutoScroll::ProcessMessages()
{
    QCoreApplication::processEvents();
}

void AutoScroll::AutoScrollStep()
{
    ++loop_.Counters().Steps;
    if (!scroller_.CanMoveForward()) {
        Stop();
        return;
    }
    if (!options_.Settings().SpeedMode)
        UpdateRate();
    scroller_.MoveBy(-1, PaintMode::Shift);
    ProcessMessages();
}

std::optional<int64_t> AutoScroll::MotionDue() const
{
    if (!scroller_.Moving())
        return std::nullopt;
    return int64_t(scroller_.MotionDue() * double(CounterFrequency));
}

void AutoScroll::MotionStep()
{
    scroller_.MotionStep();
}

// Waits for events, with a timer to wake up a millisecond before until (timers keep to the
// millisecond); the last stretch is slept precisely. Without until, only events end the wait.
void AutoScroll::Idle(std::optional<int64_t> until)
{
    if (!until) {
        QCoreApplication::eventDispatcher()->processEvents(QEventLoop::WaitForMoreEvents);
        return;
    }
    const int64_t left = *until - Now();
    const int ms = int(left / (CounterFrequency / 1000)) - 1;
    if (ms >= 1) {
        wake_.start(ms);
        QCoreApplication::eventDispatcher()->processEvents(QEventLoop::WaitForMoreEvents);
        wake_.stop();
    } else if (left > 0) {
        WaitUntil(*until);
    }
}

int64_t AutoScroll::Now() const
{
    return PerformanceCounter();
}

int64_t AutoScroll::Frequency() const
{
    return CounterFrequency;
}

void AutoScroll::StatisticsTick()
{
    if (++ticks_ < TicksPerSecond)
        return;
    ticks_ = 0;
    lastSecond_ = loop_.Counters();
    loop_.Counters() = {};
}

}  // namespace zeb
