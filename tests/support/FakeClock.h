#pragma once
// A clock that moves only when told: Advance, Set and the SleepMs of the thread that made the
// clock move its time. Installs itself as the process clock for its lifetime, so code under
// test sees exactly the time a test sets.
//
// SleepMs on any other thread (a worker of the code under test) moves nothing: it blocks until
// the owning thread has moved the time past the wake-up point, so workers pace themselves by
// the test's time without racing it. Workers must be finished before the clock is destroyed.

#include "platform/Clock.h"

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace Vuro::Test {

class FakeClock : public Platform::Clock {
public:
    explicit FakeClock(uint32_t startMs = 100000)
        : mOwner(std::this_thread::get_id()), mNowMs(startMs) {
        Platform::SetClock(this);
    }
    ~FakeClock() override { Platform::SetClock(nullptr); }
    FakeClock(const FakeClock&) = delete;
    FakeClock& operator=(const FakeClock&) = delete;

    uint32_t TickMs() override { return mNowMs.load(); }
    uint64_t CounterTicks() override { return uint64_t{mNowMs.load()} * 1000; }
    uint64_t CounterFrequency() override { return 1000000; }
    void SleepMs(uint32_t ms) override {
        if (std::this_thread::get_id() == mOwner) {
            mSleptMs += ms;
            ++mSleepCalls;
            Advance(ms);
            return;
        }
        std::unique_lock<std::mutex> lock(mMutex);
        uint32_t start = mNowMs.load();
        mMoved.wait(lock, [&] { return mNowMs.load() - start >= ms; });
    }

    void Advance(uint32_t ms) {
        {
            std::lock_guard<std::mutex> lock(mMutex);
            mNowMs += ms;
        }
        mMoved.notify_all();
    }
    void Set(uint32_t ms) {
        {
            std::lock_guard<std::mutex> lock(mMutex);
            mNowMs = ms;
        }
        mMoved.notify_all();
    }
    // Time slept by the owning thread, and its number of SleepMs calls.
    uint32_t SleptMs() const { return mSleptMs.load(); }
    int SleepCalls() const { return mSleepCalls.load(); }

private:
    const std::thread::id mOwner;
    std::mutex mMutex;
    std::condition_variable mMoved;
    std::atomic<uint32_t> mNowMs;
    std::atomic<uint32_t> mSleptMs{0};
    std::atomic<int> mSleepCalls{0};
};

} // namespace Vuro::Test
