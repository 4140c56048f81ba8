#pragma once
// Waits for an HTTP transfer's end (WaitFinish) with a bound: a transfer whose worker has not
// ended within it (a response never seen whole, a server that neither answers nor closes) is
// aborted, which the worker notices within one socket wait, and the test fails instead of
// hanging until its time limit.

#include "framework/debug/HTTPTransfer.h"
#include "support/WaitLimit.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace Vuro::Test {

inline void WaitFinishWithin(HTTPTransfer& transfer, std::chrono::seconds limit = kWaitLimit) {
    std::mutex mutex;
    std::condition_variable finished;
    bool done = false;
    bool aborted = false;
    std::thread watchdog([&] {
        std::unique_lock<std::mutex> lock(mutex);
        if (!finished.wait_for(lock, limit, [&] { return done; })) {
            aborted = true;
            transfer.Abort();
        }
    });
    transfer.WaitFinish();
    {
        std::lock_guard<std::mutex> lock(mutex);
        done = true;
    }
    finished.notify_one();
    watchdog.join();
    if (aborted) {
        ADD_FAILURE() << "the transfer had not ended after " << limit.count()
                      << " s and was aborted";
    }
}

} // namespace Vuro::Test
