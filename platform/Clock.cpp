#include "platform/Clock.h"

#include <atomic>
#include <chrono>
#include <thread>

#if defined(__x86_64__)
#include <x86intrin.h>
#endif

namespace Vuro::Platform {

namespace {

using Steady = std::chrono::steady_clock;

SystemClock& TheSystemClock() {
    static SystemClock clock;
    return clock;
}

std::atomic<Clock*> gCurrentClock{nullptr};

} // namespace

uint32_t SystemClock::TickMs() {
    auto ms =
        std::chrono::duration_cast<std::chrono::milliseconds>(Steady::now().time_since_epoch());
    // Truncation to 32 bits is the point: the tick wraps like the system's millisecond timer.
    return static_cast<uint32_t>(ms.count());
}

uint64_t SystemClock::CounterTicks() {
    auto ns =
        std::chrono::duration_cast<std::chrono::nanoseconds>(Steady::now().time_since_epoch());
    return static_cast<uint64_t>(ns.count());
}

uint64_t SystemClock::CounterFrequency() {
    return 1000000000ull;
}

void SystemClock::SleepMs(uint32_t ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

bool SystemClock::ReadCycleCounter(uint64_t& value) {
#if defined(__x86_64__)
    value = __rdtsc();
    return true;
#else
    (void)value;
    return false;
#endif
}

Clock& GetClock() {
    Clock* clock = gCurrentClock.load(std::memory_order_acquire);
    return clock ? *clock : TheSystemClock();
}

void SetClock(Clock* clock) {
    gCurrentClock.store(clock, std::memory_order_release);
}

} // namespace Vuro::Platform
