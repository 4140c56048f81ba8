#pragma once
// The bound of a test's wait on another thread or process that depends on the code under test
// working: past it the test fails instead of hanging until its time limit. A safety net for a
// failing test, never a measure of speed.

#include <chrono>

namespace Vuro::Test {

constexpr std::chrono::seconds kWaitLimit{30};

// Calls step until done() holds; false when it did not within `limit` of real time.
template <typename Done, typename Step>
bool WaitUntil(Done done, Step step, std::chrono::seconds limit = kWaitLimit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        step();
    }
    return true;
}

} // namespace Vuro::Test
