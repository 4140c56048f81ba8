#pragma once
// Interval timing on the platform clock's high-resolution counter, and the counter's rate.
//
// - GetDuration answers milliseconds; while the timer runs it measures up to now.
// - On a clock without a counter (frequency 0) every duration is 0.
// - EstimateCpuSpeed answers the rate of the counter the profiler stamps its events with, in
//   ticks per second, at least 1: the processor's cycle counter where the clock has one,
//   measured once over a 10 ms spin on the high-resolution counter at raised priority and
//   cached; else the high-resolution counter's own frequency.

#include <cstdint>

namespace Vuro {

class PerformanceTimer {
public:
    void Start();
    void Stop();
    double GetDuration();

    static int64_t EstimateCpuSpeed();

private:
    void CalcDuration();

    int64_t mStart = 0;     // counter value at Start
    double mDuration = 0.0; // milliseconds
    bool mRunning = false;
};

} // namespace Vuro
