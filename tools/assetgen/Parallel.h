#pragma once
// Runs count jobs on as many threads as the machine has cores (at most one per job) and
// answers whether every job succeeded. Jobs must not share mutable state.

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <functional>
#include <thread>
#include <vector>

namespace Vuro::AssetGen {

inline bool RunInParallel(size_t count, const std::function<bool(size_t)>& job) {
    std::atomic<size_t> next{0};
    std::atomic<bool> allGood{true};
    auto worker = [&] {
        for (size_t index = next++; index < count; index = next++) {
            if (!job(index)) {
                allGood = false;
            }
        }
    };
    const size_t threads =
        std::min<size_t>(count, std::max(1u, std::thread::hardware_concurrency()));
    std::vector<std::thread> pool;
    for (size_t i = 1; i < threads; ++i) {
        pool.emplace_back(worker);
    }
    worker();
    for (std::thread& thread : pool) {
        thread.join();
    }
    return allGood;
}

} // namespace Vuro::AssetGen
