#pragma once
// A clock that moves only when told: SleepMs and Advance add to its time. Installs itself as
// the process clock for its lifetime, so code under test sees exactly the time a test sets.

#include "platform/Clock.h"

#include <atomic>

namespace Vuro::Test {

class FakeClock : public Platform::Clock {
public:
    explicit FakeClock(uint32_t startMs = 100000) : mNowMs(startMs) { Platform::SetClock(this); }
    ~FakeClock() override { Platform::SetClock(nullptr); }
    FakeClock(const FakeClock&) = delete;
    FakeClock& operator=(const FakeClock&) = delete;

    uint32_t TickMs() override { return mNowMs.load(); }
    uint64_t CounterTicks() override { return uint64_t{mNowMs.load()} * 1000; }
    uint64_t CounterFrequency() override { return 1000000; }
    void SleepMs(uint32_t ms) override {
        mSleptMs += ms;
        ++mSleepCalls;
        mNowMs += ms;
    }

    void Advance(uint32_t ms) { mNowMs += ms; }
    void Set(uint32_t ms) { mNowMs = ms; }
    uint32_t SleptMs() const { return mSleptMs.load(); }
    int SleepCalls() const { return mSleepCalls.load(); }

private:
    std::atomic<uint32_t> mNowMs;
    std::atomic<uint32_t> mSleptMs{0};
    std::atomic<int> mSleepCalls{0};
};

} // namespace Vuro::Test
