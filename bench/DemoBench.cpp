// Speed of the whole program playing back a recorded demo headless, fast-forwarded: the story
// demo of the whole-program tests (tests/game/program/StoryDemo.h) played by the program of this
// build, on SDL's dummy drivers. Counters: how many times faster than real time levels 2 and 3
// played, by the program's processor time (cpu_x, which holds on a busy machine) and by the wall
// clock (wall_x); the time is the whole playback's, loading included. Each repetition is a run of
// the program in a fresh folder; the table after the run gives the medians.

#include "game/program/StoryDemo.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

using namespace Vuro;

std::vector<double> gCpuSpeeds;
std::vector<double> gWallSpeeds;

void StoryDemoPlayback(benchmark::State& state) {
    for (auto _ : state) {
        Test::TempFolder folder("bench_demo");
        Test::ProgramRun run(VURO_PROGRAM, folder);
        const Test::StoryDemoPlayback playback = Test::PlayStoryDemo(run);
        if (playback.status != 0 || playback.saves.size() != 3) {
            state.SkipWithError("the playback did not save three levels");
            std::fputs(playback.output.c_str(), stderr);
            return;
        }
        state.SetIterationTime(playback.wholeMs / 1000.0);
        state.counters["cpu_x"] = playback.CpuSpeed();
        state.counters["wall_x"] = playback.WallSpeed();
        gCpuSpeeds.push_back(playback.CpuSpeed());
        gWallSpeeds.push_back(playback.WallSpeed());
    }
}

double Median(std::vector<double> values) {
    if (values.empty()) {
        return 0;
    }
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RegisterBenchmark("Ours/StoryDemo", StoryDemoPlayback)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond)
        ->Iterations(1)
        ->Repetitions(3)
        ->ReportAggregatesOnly(false);
    benchmark::RunSpecifiedBenchmarks();
    std::printf("\n%-46s %8s %8s\n", "story demo, levels 2 and 3, fast-forwarded", "cpu_x",
                "wall_x");
    std::printf("%-46s %8.0f %8.0f\n", "times real time, median of the runs", Median(gCpuSpeeds),
                Median(gWallSpeeds));
    benchmark::Shutdown();
    return 0;
}
