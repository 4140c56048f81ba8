#include "framework/debug/PerformanceTimer.h"

#include "platform/Clock.h"

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
    // The event stamps come from the counter itself, whose rate the clock states exactly: there
    // is nothing to measure by spinning against it, and nothing worth caching.
    int64_t speed = static_cast<int64_t>(Platform::GetClock().CounterFrequency());
    return speed > 0 ? speed : 1;
}

} // namespace Vuro
