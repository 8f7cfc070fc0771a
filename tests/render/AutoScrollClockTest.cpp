// The auto-scroll clock: step periods, the main loop's due-time pacing, and the statistics
// timer's thread.
#include <atomic>
#include <functional>
#include <chrono>
#include <thread>
#include <vector>

#include "EngineFixture.h"
#include "render/AutoScrollRate.h"
#include "render/ZEBMainLoop.h"
#include "render/ZEBTimer.h"

namespace zeb::test {
namespace {

constexpr int64_t Second = 1'000'000;  // counts of the fake counter: microseconds
constexpr int64_t Ms = Second / 1000;

TEST(StepPeriod, ConstantAndReadingSpeed)
{
    EXPECT_EQ(ConstantStepPeriod(50, Second), Second / 50);
    EXPECT_EQ(ConstantStepPeriod(0, Second), Second);  // 0 behaves as 1
    // 2000 characters over 600 pixels at 100 a second: 30 pixels a second.
    EXPECT_EQ(ReadingStepPeriod(2000, 600, 100, Second), Second * 2000 / 60000);
    // At least half a second's worth of characters counts.
    EXPECT_EQ(ReadingStepPeriod(10, 600, 100, Second), Second * 50 / 60000);
}

class VariablePeriodTest : public EngineTest {};

TEST_F(VariablePeriodTest, WithoutScreenLinesHalfALineOfAsOverOneLineHeight)
{
    book.Line(u"a").Finish();
    Open();
    // Nothing laid out on screen: (400 / width of "A" = 10) / 2 = 20 characters, 21 pixels.
    EXPECT_EQ(VariableStepPeriod(engine, 10, Second), Second * 20 / (21 * 10));
    engine.SetPosition(TextStart, 0);
    ASSERT_EQ(engine.ScreenLines().size(), 1u);
    // One screen line of 1 character, 33 high: half a second's worth, 5, counts.
    EXPECT_EQ(VariableStepPeriod(engine, 10, Second), Second * 5 / (33 * 10));
}

// A counter that moves only when the loop waits or when the test says work takes time.
class FakeLoopHost : public ZEBLoopHost {
public:
    bool StepRenderQueue() override
    {
        now += renderCost;
        return renderBusy;
    }
    // Handling messages takes a microsecond, so that polling before a step gets there.
    void ProcessMessages() override
    {
        messageTimes.push_back(now);
        now += 1;
        if (onMessages)
            onMessages();
    }
    void AutoScrollStep() override
    {
        stepTimes.push_back(now);
        if (onStep)
            onStep();
    }
    std::optional<int64_t> MotionDue() const override
    {
        if (motionSteps.size() >= motionDue.size())
            return std::nullopt;
        return motionDue[motionSteps.size()];
    }
    void MotionStep() override { motionSteps.push_back(now); }
    // Without a time, the wait lasts until the next event, which comes a second later here.
    void Idle(std::optional<int64_t> until) override
    {
        idles.push_back(until);
        now = until.value_or(now + Second);
    }
    int64_t Now() const override { return now; }
    int64_t Frequency() const override { return Second; }

    int64_t now = 0;
    int64_t renderCost = 0;
    bool renderBusy = false;
    std::function<void()> onMessages;
    std::function<void()> onStep;
    std::vector<int64_t> stepTimes;
    std::vector<int64_t> messageTimes;
    std::vector<int64_t> motionDue;    // the due times of a move's steps
    std::vector<int64_t> motionSteps;  // when they were made
    std::vector<std::optional<int64_t>> idles;
};

// Step times as expected, give or take the microseconds the fake's message passes take.
void ExpectTimes(const std::vector<int64_t>& actual, const std::vector<int64_t>& expected)
{
    ASSERT_EQ(actual.size(), expected.size());
    for (size_t i = 0; i < actual.size(); ++i)
        EXPECT_NEAR(actual[i], expected[i], 5) << "step " << i;
}

class MainLoopTest : public ::testing::Test {
protected:
    // Runs the loop ticking at period (set at the first message pass, as the settings do once
    // the loop runs) until it has made steps steps.
    void RunTicking(int64_t period, size_t steps)
    {
        bool periodSet = false;
        host.onMessages = [&, period, steps] {
            if (!periodSet) {
                loop.SetPeriod(period);
                loop.SetTicking(true);
                periodSet = true;
            }
            if (host.stepTimes.size() >= steps)
                loop.Stop();
        };
        loop.Run();
    }

    FakeLoopHost host;
    ZEBMainLoop loop{host};
};

TEST_F(MainLoopTest, StepsFallOnTheirDueTimes)
{
    RunTicking(20 * Ms, 5);
    ExpectTimes(host.stepTimes, {20 * Ms, 40 * Ms, 60 * Ms, 80 * Ms, 100 * Ms});
    EXPECT_EQ(loop.Counters().LateSteps, 0);
    EXPECT_FALSE(loop.Active());
}

TEST_F(MainLoopTest, ALateStepIsCountedAndTheScheduleKept)
{
    // The second step takes 25 ms: the third is found 2 periods late, made at once, and the
    // fourth falls on its own due time again.
    host.onStep = [this] {
        if (host.stepTimes.size() == 2)
            host.now += 25 * Ms;
    };
    RunTicking(10 * Ms, 5);
    ExpectTimes(host.stepTimes, {10 * Ms, 20 * Ms, 45 * Ms, 45 * Ms, 50 * Ms});
    EXPECT_EQ(loop.Counters().LateSteps, 1);
}

TEST_F(MainLoopTest, EightOrMoreMissedStepsAreSkippedNotBurst)
{
    host.onStep = [this] {
        if (host.stepTimes.size() == 1)
            host.now += 1000 * Ms + 5 * Ms;  // suspended: 100 steps overdue
    };
    RunTicking(10 * Ms, 3);
    ExpectTimes(host.stepTimes, {10 * Ms, 1015 * Ms, 1020 * Ms});
    EXPECT_EQ(loop.Counters().LateSteps, 1);
}

TEST_F(MainLoopTest, WhileRenderingMessagesAreHandledEverySixteenthOfASecond)
{
    host.renderBusy = true;
    host.renderCost = 1 * Ms;
    host.onMessages = [this] {
        if (host.now > Second)
            loop.Stop();
    };
    loop.Run();
    ASSERT_GT(host.messageTimes.size(), 10u);
    for (size_t i = 1; i < host.messageTimes.size(); ++i)
        EXPECT_LE(host.messageTimes[i] - host.messageTimes[i - 1], Second / 16 + 1 * Ms);
}

TEST_F(MainLoopTest, IdleWaitsAtMostTenMillisecondsAndStopsJustBeforeADueStep)
{
    RunTicking(25 * Ms, 1);
    // Idle to 10 and 20 ms, then to 0.2 ms before the step at 25, polled from there.
    ASSERT_GE(host.messageTimes.size(), 4u);
    EXPECT_NEAR(host.messageTimes[1], 10 * Ms, 10);
    EXPECT_NEAR(host.messageTimes[2], 20 * Ms, 10);
    EXPECT_NEAR(host.messageTimes[3], 25 * Ms - Second / 5000, 10);
    EXPECT_EQ(host.stepTimes.at(0), 25 * Ms);
}

// A reader with nothing to do sleeps until something happens: no timed wake-ups.
TEST_F(MainLoopTest, WithNothingToDoTheLoopWaitsWithoutATimeLimit)
{
    host.onMessages = [this] {
        if (host.messageTimes.size() >= 3)
            loop.Stop();
    };
    loop.Run();
    ASSERT_EQ(host.idles.size(), 2u);
    EXPECT_FALSE(host.idles[0]);
    EXPECT_FALSE(host.idles[1]);
}

TEST_F(MainLoopTest, TheStepsOfAMoveFallOnTheirDueTimesAndBoundTheWait)
{
    host.motionDue = {7 * Ms, 13 * Ms, 19 * Ms};
    host.onMessages = [this] {
        if (host.motionSteps.size() >= 3)
            loop.Stop();
    };
    loop.Run();
    ExpectTimes(host.motionSteps, {7 * Ms, 13 * Ms, 19 * Ms});
    ASSERT_GE(host.idles.size(), 3u);
    EXPECT_EQ(host.idles[0], 7 * Ms);
}

TEST(ZEBTimer, TicksRunThroughTheRunnerAndTheThreadEndsWhenAsked)
{
    std::atomic<int> ticks{0}, runs{0};
    ZEBTimer timer(
        2, [&] { ++ticks; },
        [&](const ZEBTimer::Callback& callback) {
            ++runs;
            callback();
        });
    timer.SetRate(100.0);
    timer.SetSpin(false);
    EXPECT_EQ(timer.RoundedRate(), 100);
    std::this_thread::sleep_for(std::chrono::milliseconds(60));
    EXPECT_EQ(ticks, 0);  // not enabled yet
    timer.SetEnabled(true);
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (ticks < 3 && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    EXPECT_GE(ticks, 3);
    EXPECT_EQ(runs, ticks);
    timer.Terminate();
    while (timer.Running() && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    EXPECT_FALSE(timer.Running());
}

}  // namespace
}  // namespace zeb::test
