#pragma once
// The bound of a test's wait on another thread or process that depends on the code under test
// working: past it the test fails instead of hanging until its time limit. A safety net for a
// failing test, never a measure of speed.

#include <chrono>

namespace Vuro::Test {

constexpr std::chrono::seconds kWaitLimit{30};

} // namespace Vuro::Test
