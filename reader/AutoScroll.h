#pragma once

#include <QObject>
#include <QTimer>

#include "render/ViewScroller.h"
#include "render/ZEBMainLoop.h"
#include "render/ZEBRenderParag.h"
#include "render/ZEBTimer.h"
#include "settings/ZEBOptions.h"

namespace zeb {

// Auto-scroll and the main loop that paces it: one-pixel steps on due times, the steps of
// animated moves, the render queue stepped in between, and the statistics timer, whose
// once-a-second tick keeps the steps and late steps of the last second for the status display.
class AutoScroll : public QObject, private ZEBLoopHost {
    Q_OBJECT

public:
    AutoScroll(ZEBRenderParag& engine, ZEBOptions& options, ViewScroller& scroller);
    ~AutoScroll() override;

    // Runs the main loop until Stop; returns once it has ended.
    void RunLoop();
    void StopLoop() { loop_.Stop(); }
    bool LoopRunning() const { return loop_.Running(); }

    // Turns auto-scroll on or off: the setting, the loop's ticking, the statistics timer, the
    // counters, and a repaint (lines at the edges are shown only while it runs).
    void Toggle();
    void Stop();
    // Takes the speed settings into the step period.
    void UpdateRate();
    int64_t Period() const { return loop_.Period(); }

    // Steps and late steps of the last whole second.
    const StepCounters& LastSecond() const { return lastSecond_; }
    const StepCounters& Running() const { return loop_.Counters(); }

    // Ends the statistics timer's thread, handling events while its last tick waits for them.
    void EndTimer();

private:
    bool StepRenderQueue() override;
    void ProcessMessages() override;
    void AutoScrollStep() override;
    std::optional<int64_t> MotionDue() const override;
    void MotionStep() override;
    void Idle(std::optional<int64_t> until) override;
    int64_t Now() const override;
    int64_t Frequency() const override;
    void StatisticsTick();

    ZEBRenderParag& engine_;
    ZEBOptions& options_;
    ViewScroller& scroller_;
    ZEBMainLoop loop_{*this};
    StepCounters lastSecond_;
    int ticks_ = 0;
    QTimer wake_;
    ZEBTimer timer_;
};

}  // namespace zeb
