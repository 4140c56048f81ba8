// The interval timer and the section profiler on the fake clock (counter in microseconds), and
// the processor speed measured on a clock with a cycle counter.

#include "framework/debug/PerfProfiler.h"
#include "framework/debug/PerformanceTimer.h"
#include "support/FakeClock.h"

#include "platform/Clock.h"

#include <gtest/gtest.h>

namespace Vuro::Test {
namespace {

TEST(PerformanceTimerTest, MeasuresMillisecondsWhileRunningAndKeepsThemAfterStop) {
    FakeClock clock;
    PerformanceTimer timer;
    EXPECT_EQ(timer.GetDuration(), 0.0);
    timer.Start();
    clock.Advance(50);
    EXPECT_DOUBLE_EQ(timer.GetDuration(), 50.0);
    clock.Advance(25);
    timer.Stop();
    clock.Advance(1000);
    EXPECT_DOUBLE_EQ(timer.GetDuration(), 75.0) << "a stopped timer keeps its duration";
    EXPECT_EQ(PerformanceTimer::EstimateCpuSpeed(), 1000000);
}

TEST(PerfProfilerTest, StartThenStopGivesTheTotalLineOnly) {
    FakeClock clock;
    EXPECT_FALSE(PerfIsRunning());
    PerfStart();
    EXPECT_TRUE(PerfIsRunning());
    PerfStop();
    EXPECT_FALSE(PerfIsRunning());
    EXPECT_EQ(PerfGetResults(), "Total Time: 0.00\n");
}

TEST(PerfProfilerTest, SectionsCountNestedCallsAndTimeTheOutermostPair) {
    FakeClock clock;
    PerfStart();
    clock.Advance(10);
    PerfAddEvent("draw", true);
    clock.Advance(5);
    PerfAddEvent("draw", true);
    clock.Advance(3);
    PerfAddEvent("draw", false);
    clock.Advance(2);
    PerfAddEvent("draw", false); // outermost pair: 10 ms
    clock.Advance(20);
    PerfAddEvent("update", true);
    clock.Advance(4);
    PerfAddEvent("update", false);
    PerfAddEvent("draw", true);
    clock.Advance(6);
    PerfAddEvent("draw", false);
    PerfAddEvent("ghost", false);  // never started: ignored
    PerfAddEvent("update", false); // one stop too many: ignored
    clock.Advance(50);
    PerfStop();
    EXPECT_EQ(PerfGetResults(), "Total Time: 100.00\n"
                                "draw (3 calls, %16.00 time): 16.00 (5.33 avg, 10.00 longest)\n"
                                "update (1 calls, %4.00 time): 4.00 (4.00 avg, 4.00 longest)\n");

    PerfStart();
    clock.Advance(8);
    PerfStop();
    EXPECT_EQ(PerfGetResults(), "Total Time: 8.00\n") << "a new profile starts empty";
}

TEST(PerfProfilerTest, StayingStoppedTakesNoEvents) {
    FakeClock clock;
    PerfStart(true);
    EXPECT_FALSE(PerfIsRunning());
    PerfAddEvent("draw", true);
    clock.Advance(3);
    PerfAddEvent("draw", false);
    PerfStop();
    EXPECT_EQ(PerfGetResults(), "Total Time: 3.00\n");
}

TEST(PerfProfilerTest, SectionsOfAProfileOfNoLengthShowNoShare) {
    FakeClock clock;
    PerfStart();
    PerfAddEvent("tick", true);
    PerfAddEvent("tick", false);
    PerfStop();
    EXPECT_EQ(PerfGetResults(), "Total Time: 0.00\n"
                                "tick (1 calls, %0.00 time): 0.00 (0.00 avg, 0.00 longest)\n");
}

// A processor of 3 cycles per microsecond whose 1 MHz counter moves one tick each time it is
// read, so a spin on it ends.
class CycleClock : public Platform::Clock {
public:
    CycleClock() { Platform::SetClock(this); }
    ~CycleClock() override { Platform::SetClock(nullptr); }
    uint32_t TickMs() override { return static_cast<uint32_t>(mTicks / 1000); }
    uint64_t CounterTicks() override { return ++mTicks; }
    uint64_t CounterFrequency() override { return 1000000; }
    void SleepMs(uint32_t) override {}
    bool ReadCycleCounter(uint64_t& value) override {
        value = mTicks * 3;
        return true;
    }
    uint64_t mTicks = 0;
};

TEST(PerformanceTimerTest, CycleCounterRateIsMeasuredOverTenMillisecondsOnceAndTimesTheProfile) {
    {
        CycleClock clock;
        EXPECT_EQ(PerformanceTimer::EstimateCpuSpeed(), 3000000);
        EXPECT_EQ(clock.mTicks, 10001u) << "the spin lasts 10 ms of the counter";
    }
    CycleClock other;
    EXPECT_EQ(PerformanceTimer::EstimateCpuSpeed(), 3000000) << "measured once, then cached";
    EXPECT_EQ(other.mTicks, 0u);
    PerfStart();
    other.mTicks += 5000;
    PerfStop();
    EXPECT_EQ(PerfGetResults(), "Total Time: 5.00\n") << "stamps are cycles at the measured rate";
}

} // namespace
} // namespace Vuro::Test
