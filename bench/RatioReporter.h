#pragma once
// The usual console output of Google Benchmark, keeping every run's counters so that a table of
// ours against theirs can follow the run. Benchmarks are named "<library>/<case>" with the
// library "Ours", "SDL2" or "pixman"; a ratio above 1 means ours is faster.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace Vuro::Bench {

class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            // With repetitions the median stands for the case (a loaded machine's outliers
            // move it least); a single run stands for itself.
            const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
            if (run.error_occurred || (run.run_type != Run::RT_Iteration && !median)) {
                continue;
            }
            for (const auto& [name, counter] : run.counters) {
                mValues[run.run_name.str()][name] = counter.value;
            }
        }
    }

    // The counter of a benchmark that ran; 0 when it did not run or has no such counter.
    double Value(const std::string& benchmark, const std::string& counter) const {
        const auto run = mValues.find(benchmark);
        if (run == mValues.end()) {
            return 0;
        }
        const auto it = run->second.find(counter);
        return it == run->second.end() ? 0 : it->second;
    }

    // One row per case: the counter for each library and ours / theirs; "-" where a library
    // has no such case or it did not run.
    void PrintTable(const std::string& title, const std::vector<std::string>& cases,
                    const std::string& counter) const {
        int width = 22;
        for (const std::string& name : cases) {
            width = std::max(width, static_cast<int>(name.size()));
        }
        std::printf("\n%-*s %10s %10s %10s %12s %12s\n", width, title.c_str(), "ours", "SDL2",
                    "pixman", "ours/SDL2", "ours/pixman");
        for (const std::string& name : cases) {
            const double ours = Value("Ours/" + name, counter);
            const double sdl = Value("SDL2/" + name, counter);
            const double pixman = Value("pixman/" + name, counter);
            std::printf("%-*s %10s %10s %10s %12s %12s\n", width, name.c_str(),
                        Format(ours, 1).c_str(), Format(sdl, 1).c_str(), Format(pixman, 1).c_str(),
                        Format(ours > 0 && sdl > 0 ? ours / sdl : 0, 2).c_str(),
                        Format(ours > 0 && pixman > 0 ? ours / pixman : 0, 2).c_str());
        }
    }

    static std::string Format(double value, int decimals) {
        if (value <= 0) {
            return "-";
        }
        char text[32];
        std::snprintf(text, sizeof text, "%.*f", decimals, value);
        return text;
    }

private:
    std::map<std::string, std::map<std::string, double>> mValues;
};

// The limit of memory bandwidth: memcpy of a width x height frame of 32-bit pixels, registered
// as "memcpy/Frame" (Mpix/s). A path that copies or rewrites every pixel cannot beat it.
inline void RegisterMemcpy(int width, int height) {
    benchmark::RegisterBenchmark("memcpy/Frame", [width, height](benchmark::State& state) {
        const size_t count = static_cast<size_t>(width) * height;
        std::vector<uint32_t> from(count, 0xFF102030u);
        std::vector<uint32_t> to(count);
        for (auto _ : state) {
            std::memcpy(to.data(), from.data(), count * sizeof(uint32_t));
            benchmark::ClobberMemory();
        }
        state.counters["Mpix/s"] =
            benchmark::Counter(double(count) / 1e6, benchmark::Counter::kIsIterationInvariantRate);
    });
}

inline void PrintMemcpy(const RatioReporter& reporter) {
    std::printf("\n%-22s %10s Mpix/s (memory bandwidth limit of a frame copy)\n", "memcpy",
                RatioReporter::Format(reporter.Value("memcpy/Frame", "Mpix/s"), 1).c_str());
}

} // namespace Vuro::Bench
