#include "framework/debug/PerformanceTimer.h"

#include "platform/Clock.h"
#include "platform/Threads.h"

#include <atomic>

namespace Vuro {

void PerformanceTimer::Start() {
    mRunning = true;
    mStart = static_cast<int64_t>(Platform::GetClock().CounterTicks());
}

void PerformanceTimer::Stop() {
    if (mRunning) {
        CalcDuration();
        mRunning = false;
    }
}

double PerformanceTimer::GetDuration() {
    if (mRunning) {
        CalcDuration();
    }
    return mDuration;
}

void PerformanceTimer::CalcDuration() {
    Platform::Clock& clock = Platform::GetClock();
    int64_t now = static_cast<int64_t>(clock.CounterTicks());
    int64_t frequency = static_cast<int64_t>(clock.CounterFrequency());
    mDuration = frequency > 0 ? static_cast<double>((now - mStart) * 1000) / frequency : 0.0;
}

int64_t PerformanceTimer::EstimateCpuSpeed() {
    Platform::Clock& clock = Platform::GetClock();
    uint64_t startCycles = 0;
    if (!clock.ReadCycleCounter(startCycles)) {
        // No cycle counter: the profiler stamps with the high-resolution counter, whose rate
        // the clock states exactly.
        int64_t speed = static_cast<int64_t>(clock.CounterFrequency());
        return speed > 0 ? speed : 1;
    }
    static std::atomic<int64_t> gCachedSpeed{0};
    int64_t cached = gCachedSpeed.load();
    if (cached > 0) {
        return cached;
    }
    int previousPriority = 0;
    bool raised = Platform::RaiseThreadPriority(previousPriority);
    int64_t measured = 0;
    uint64_t frequency = clock.CounterFrequency();
    if (frequency > 0) {
        // Cycles counted over a 10 ms spin on the high-resolution counter, times 100.
        uint64_t end = clock.CounterTicks() + frequency / 100;
        (void)clock.ReadCycleCounter(startCycles);
        while (clock.CounterTicks() < end) {
        }
        uint64_t endCycles = startCycles;
        (void)clock.ReadCycleCounter(endCycles);
        measured = static_cast<int64_t>(endCycles - startCycles) * 100;
    }
    if (raised) {
        Platform::RestoreThreadPriority(previousPriority);
    }
    if (measured <= 0) {
        measured = 1;
    }
    gCachedSpeed = measured;
    return measured;
}

} // namespace Vuro
