#pragma once
// A clock that moves only when told: Advance, Set and the SleepMs of the thread that made the
// clock move its time. Installs itself as the process clock for its lifetime, so code under
// test sees exactly the time a test sets.
//
// SleepMs on any other thread (a worker of the code under test) moves nothing: it blocks until
// the owning thread has moved the time past the wake-up point, so workers pace themselves by
// the test's time without racing it. WakeSleepers moves the time just far enough for the first
// of them to wake. Workers must be finished before the clock is destroyed.
//
// A worker's sleep that the owning thread does not end within kWaitLimit of real time (a test
// that joins the worker without moving the time, or that ended early) fails the test and
// returns, so the join that waits for the worker ends instead of hanging the test.

#include "platform/Clock.h"
#include "support/WaitLimit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <set>
#include <thread>
#include <utility>
#include <vector>

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
        auto sleeper = mSleepers.insert({start, ms});
        const bool woken =
            mMoved.wait_for(lock, kWaitLimit, [&] { return mNowMs.load() - start >= ms; });
        mSleepers.erase(sleeper);
        lock.unlock();
        if (!woken) {
            ADD_FAILURE() << "a worker slept " << ms << " ms on the fake clock and nobody moved it";
        }
    }

    // What each of the other threads asleep on the clock has still to sleep, in milliseconds.
    std::vector<uint32_t> SleepsPending() {
        std::lock_guard<std::mutex> lock(mMutex);
        std::vector<uint32_t> pending;
        for (const auto& [start, ms] : mSleepers) {
            uint32_t slept = mNowMs.load() - start;
            pending.push_back(slept >= ms ? 0 : ms - slept);
        }
        return pending;
    }
    // Moves the time to the earliest wake-up point of the other threads asleep on the clock;
    // false when none is asleep.
    bool WakeSleepers() {
        std::vector<uint32_t> pending = SleepsPending();
        if (pending.empty()) {
            return false;
        }
        Advance(*std::min_element(pending.begin(), pending.end()));
        return true;
    }

    // Wakes the other threads asleep on the clock, one wake-up point after the other, until
    // done() holds; false when it did not within `limit` of real time.
    template <typename Done>
    bool WakeSleepersUntil(Done done, std::chrono::seconds limit = kWaitLimit) {
        return WaitUntil(
            done,
            [this] {
                if (!WakeSleepers()) {
                    std::this_thread::yield();
                }
            },
            limit);
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
    std::multiset<std::pair<uint32_t, uint32_t>> mSleepers; // (start, ms) of other threads
};

} // namespace Vuro::Test
