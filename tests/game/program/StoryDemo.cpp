#include "StoryDemo.h"

#include "framework/app/DemoFile.h"
#include "game/player/PlayerRecord.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace Vuro::Test {

namespace {

using Clock = ProgramRun::Clock;

// The update count at which the demo was written: its recorded time in 10 ms ticks.
int DemoEndTick(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in),
                               std::istreambuf_iterator<char>()};
    DemoFile demo;
    std::string error;
    return demo.Read(bytes.data(), bytes.size(), "1.2", error) ? demo.mEndTick : 0;
}

double Milliseconds(Clock::duration duration) {
    return std::chrono::duration<double, std::milli>(duration).count();
}

} // namespace

int StoryDemoPlayback::LevelsMs() const {
    return (kStoryLevelEnds[2] - kStoryLevelEnds[0]) * 10;
}

double StoryDemoPlayback::CpuSpeed() const {
    return savesCpu.size() < 3 ? 0.0 : LevelsMs() / ((savesCpu[2] - savesCpu[0]) * 1000.0);
}

double StoryDemoPlayback::WallSpeed() const {
    return saves.size() < 3 ? 0.0 : LevelsMs() / Milliseconds(saves[2] - saves[0]);
}

StoryDemoPlayback PlayStoryDemo(ProgramRun& run) {
    StoryDemoPlayback playback;
    const std::string demo = run.Path("story.dmo");
    std::filesystem::copy_file(std::string(VURO_SOURCE_DIR) + "/tests/game/demos/story.dmo", demo,
                               std::filesystem::copy_options::overwrite_existing);
    playback.recordedMs = DemoEndTick(demo) * 10;

    const Clock::time_point start = Clock::now();
    if (!run.Start({"-play", "-demofile=" + demo})) {
        return playback;
    }
    run.Type("0"); // fast-forward to the demo's end
    while (playback.status == -1 && Clock::now() < start + std::chrono::seconds(100)) {
        playback.status = run.WaitForExit(Clock::now() + std::chrono::milliseconds(5));
        PlayerRecord seen;
        while (seen.Load(run.PlaybackPath("Player.pf")) &&
               seen.storyLevel > static_cast<int>(playback.saves.size())) {
            playback.saves.push_back(Clock::now());
            playback.savesCpu.push_back(run.CpuSeconds());
        }
    }
    playback.wholeMs = Milliseconds(Clock::now() - start);
    playback.output = run.Output();
    return playback;
}

} // namespace Vuro::Test
