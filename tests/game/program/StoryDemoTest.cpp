// The real program plays back a recorded demo on SDL's dummy drivers: from the intro, the first
// start's name question and the menu through the prologue and the stage map into the first story
// level, where fruit is picked, to its end and its statistics screen, then the second and third
// levels in place (birds are shot in the third), each to its end, and the start of the fourth,
// where the recording closed the program. The playback is fast-forwarded (the key "0" typed on
// the standard input); the record it saves after every level (in the copy of the player files
// the playback works on) is watched, so the speed of playing the second and third levels is
// measured between the first and the third save: by the program's processor time, which holds
// on a busy machine, and by the wall clock (printed).
// What the program saved must be what the recorded run saved.
//
// The demo is tests/game/demos/story.dmo; README.md there says how to make it again (needed
// whenever the game's behaviour or the front screens change) and where the constants below
// come from.

#include "ProgramRun.h"

#include "framework/app/DemoFile.h"
#include "game/player/PlayerRecord.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

namespace Vuro::Test {
namespace {

namespace fs = std::filesystem;
using Clock = ProgramRun::Clock;

// The recorded run's scores of levels 1 to 3 and the update counts at which it saved the record
// after each (printed by record_story_demo).
constexpr int kLevelScores[] = {628, 428, 444};
constexpr int kLevelEnds[] = {7536, 14136, 20736};
// Playing levels headless must run at least this many times faster than real time (the dev
// build with its sanitizers reaches about 100).
constexpr double kLeastSpeed = 50.0;

// The update count at which the demo was written: its recorded time in 10 ms ticks.
int DemoEndTick(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in),
                               std::istreambuf_iterator<char>()};
    DemoFile demo;
    std::string error;
    EXPECT_TRUE(demo.Read(bytes.data(), bytes.size(), "1.2", error)) << error;
    return demo.mEndTick;
}

TEST(StoryDemo, PlaysTheFirstStoryLevelToItsEndFastAndSavesWhatTheRecordedRunSaved) {
    TempFolder folder("story_demo");
    ProgramRun run(VURO_PROGRAM, folder);
    std::string demo = run.Path("story.dmo");
    fs::copy_file(std::string(VURO_SOURCE_DIR) + "/tests/game/demos/story.dmo", demo);
    int recordedMs = DemoEndTick(demo) * 10;

    Clock::time_point start = Clock::now();
    ASSERT_TRUE(run.Start({"-play", "-demofile=" + demo}));
    run.Type("0"); // fast-forward to the demo's end
    // The wall and processor time of each save, seen by the story level it records.
    std::vector<Clock::time_point> saves;
    std::vector<double> savesCpu;
    int status = -1;
    while (status == -1 && Clock::now() < start + std::chrono::seconds(100)) {
        status = run.WaitForExit(Clock::now() + std::chrono::milliseconds(5));
        PlayerRecord seen;
        // A save passed by unseen (a busy machine) counts as made now.
        while (seen.Load(run.PlaybackPath("Player.pf")) &&
               seen.storyLevel > static_cast<int>(saves.size())) {
            saves.push_back(Clock::now());
            savesCpu.push_back(run.CpuSeconds());
        }
    }
    std::string output = run.Output();
    ASSERT_EQ(status, 0) << output;
    EXPECT_EQ(output.find("Error: "), std::string::npos) << output;
    EXPECT_EQ(output.find("Demo playback stopped"), std::string::npos) << output;

    PlayerRecord record;
    ASSERT_TRUE(record.Load(run.PlaybackPath("Player.pf")));
    EXPECT_EQ(record.storyLevel, 3) << "three levels won\n" << output;
    EXPECT_EQ(record.storyLevelMax, 3);
    EXPECT_EQ(record.totalScore, kLevelScores[0] + kLevelScores[1] + kLevelScores[2]);
    EXPECT_FALSE(fs::exists(run.DataPath("Player.pf")))
        << "the player's own files stay as they were";

    ASSERT_EQ(saves.size(), 3u);
    int playedMs = (kLevelEnds[2] - kLevelEnds[0]) * 10;
    double wallMs = std::chrono::duration<double, std::milli>(saves[2] - saves[0]).count();
    double wholeMs = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    double cpuMs = (savesCpu[2] - savesCpu[0]) * 1000.0;
    double speed = playedMs / cpuMs;
    RecordProperty("levels_ms", playedMs);
    RecordProperty("levels_playback_cpu_ms", static_cast<int>(cpuMs));
    RecordProperty("levels_playback_wall_ms", static_cast<int>(wallMs));
    std::printf("levels 2 and 3 (%d ms) played back in %.0f ms of processor time: %.0f times real "
                "time (%.0f ms on the wall clock: %.0f times); the whole demo (%d ms, with its "
                "loading) in %.0f ms\n",
                playedMs, cpuMs, speed, wallMs, playedMs / wallMs, recordedMs, wholeMs);
    EXPECT_GE(speed, kLeastSpeed);
}

} // namespace
} // namespace Vuro::Test
