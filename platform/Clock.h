#pragma once
// The framework's only source of time. Everything that waits or measures goes through the
// current clock, so tests can install a fake one and drive the main loop tick by tick.
//
// - TickMs is a 32-bit millisecond count that wraps like a multimedia timer; compare ticks by
//   unsigned difference, never by magnitude.
// - CounterTicks / CounterFrequency form a high-resolution counter for profiling.
// - SleepMs blocks the calling thread (a fake clock advances its time instead).
// - ReadCycleCounter reads the processor's own cycle counter where the clock has one (the
//   time-stamp counter on x86-64); false where it has none, and its rate is unknown until
//   measured against the high-resolution counter.

#include <cstdint>

namespace Vuro::Platform {

class Clock {
public:
    virtual ~Clock() = default;
    virtual uint32_t TickMs() = 0;
    virtual uint64_t CounterTicks() = 0;
    virtual uint64_t CounterFrequency() = 0;
    virtual void SleepMs(uint32_t ms) = 0;
    virtual bool ReadCycleCounter(uint64_t& /*value*/) { return false; }
};

// Real time from the steady clock.
class SystemClock : public Clock {
public:
    uint32_t TickMs() override;
    uint64_t CounterTicks() override;
    uint64_t CounterFrequency() override;
    void SleepMs(uint32_t ms) override;
    bool ReadCycleCounter(uint64_t& value) override;
};

// The clock in use; the system clock unless a test installed another.
Clock& GetClock();
// Installs a clock for the whole process; null goes back to the system clock. The caller keeps
// ownership and must keep the clock alive while it is installed.
void SetClock(Clock* clock);

} // namespace Vuro::Platform
