// Speed of the play field on a busy story level (tests/support/BusyPlayField.h, drawn with the
// data set beside the program): one update tick, and one full draw of every part into the
// display's screen image, beside bench_frame's frame through the widget tree in the same run.
//
// The update is measured over the field's own play from the busy moment on; every 600 ticks
// (ten seconds of play) the level is played up to that moment again, outside the timing, so
// that the field stays busy however many iterations run. After the run a table gives
// microseconds per tick, draw and frame.

#include "bench/KernelOption.h"
#include "bench/OurFrame.h"
#include "bench/RatioReporter.h"
#include "support/BusyPlayField.h"

#include <cstdio>
#include <memory>

namespace {

using namespace Vuro;
using namespace Vuro::Bench;

constexpr int kTicksBeforeReplay = 600;

OurSide* gOurs = nullptr;
Test::BusyPlayField* gBusy = nullptr;

void OurFrame(benchmark::State& state) {
    MeasureOurFrame(state, *gOurs);
}

void FieldDraw(benchmark::State& state) {
    Measure(state, double(kScreenWidth) * kScreenHeight, [] {
        Graphics g(gOurs->Screen());
        gBusy->Field().DrawAll(&g, true);
    });
}

void FieldUpdate(benchmark::State& state) {
    gBusy->Restart();
    int ticks = 0;
    for (auto _ : state) {
        if (++ticks > kTicksBeforeReplay) {
            state.PauseTiming();
            gBusy->Restart();
            ticks = 1;
            state.ResumeTiming();
        }
        gBusy->Tick();
    }
    state.counters["frames/s"] =
        benchmark::Counter(1, benchmark::Counter::kIsIterationInvariantRate);
    gBusy->Restart();
}

void PrintMicroseconds(const RatioReporter& reporter) {
    std::printf("\n%-40s %10s\n", "case", "us");
    const struct {
        const char* label;
        const char* name;
    } rows[] = {{"play field: one update tick", "PlayField/Update"},
                {"play field: one full draw", "PlayField/Draw"},
                {"bench_frame's frame (widget tree)", "Ours/Frame"}};
    for (const auto& row : rows) {
        const double rate = reporter.Value(row.name, "frames/s");
        std::printf("%-40s %10s\n", row.label,
                    RatioReporter::Format(rate > 0 ? 1e6 / rate : 0, 1).c_str());
    }
}

} // namespace

int main(int argc, char** argv) {
    if (!TakeKernelOption(argc, argv)) {
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    UseDummyDriversByDefault();
    OurSide ours;
    gOurs = &ours;
    auto busy = std::make_unique<Test::BusyPlayField>(ours.mApp, VURO_DATA_DIR);
    if (!busy->IsLoaded()) {
        std::fprintf(stderr, "bench_playfield: the data set in %s is incomplete\n", VURO_DATA_DIR);
        return 1;
    }
    gBusy = busy.get();

    benchmark::RegisterBenchmark("PlayField/Update", FieldUpdate);
    benchmark::RegisterBenchmark("PlayField/Draw", FieldDraw);
    benchmark::RegisterBenchmark("Ours/Frame", OurFrame);

    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    PrintMicroseconds(reporter);
    PrintKernelLine();
    benchmark::Shutdown();
    busy.reset();
    gOurs = nullptr;
    return 0;
}
