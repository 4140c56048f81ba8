// The real program plays back a recorded demo on SDL's dummy drivers: from the intro, the first
// start's name question and the menu through the prologue and the stage map into the first story
// level, where fruit is picked, to its end and its statistics screen, then the second and third
// levels in place (birds are shot in the third), each to its end, and the start of the fourth,
// where the recording closed the program. The playback is fast-forwarded; the record it saves
// after every level is watched (StoryDemo.h). What the program saved must be what the recorded
// run saved, in the copy of the player files the playback works on; the player's own files stay
// as they were. The fast-forward must beat real time, a bound only a stalled program breaks; how
// fast it plays is measured by bench_demo (bench/DemoBench.cpp), and printed here.
//
// The demo is tests/game/demos/story.dmo; README.md there says how to make it again (needed
// whenever the game's behaviour or the front screens change).

#include "StoryDemo.h"

#include "game/player/PlayerRecord.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

namespace Vuro::Test {
namespace {

// Slower than twice real time by processor time only a stalled program plays (the dev build
// with its sanitizers plays about 100 times faster).
constexpr double kLeastSpeed = 2.0;

TEST(StoryDemo, PlaysTheFirstStoryLevelToItsEndFastAndSavesWhatTheRecordedRunSaved) {
    TempFolder folder("story_demo");
    ProgramRun run(VURO_PROGRAM, folder);
    const StoryDemoPlayback playback = PlayStoryDemo(run);
    const std::string& output = playback.output;
    ASSERT_EQ(playback.status, 0) << output;
    EXPECT_EQ(output.find("Error: "), std::string::npos) << output;
    EXPECT_EQ(output.find("Demo playback stopped"), std::string::npos) << output;

    PlayerRecord record;
    ASSERT_TRUE(record.Load(run.PlaybackPath("Player.pf")));
    EXPECT_EQ(record.storyLevel, 3) << "three levels won\n" << output;
    EXPECT_EQ(record.storyLevelMax, 3);
    EXPECT_EQ(record.totalScore,
              kStoryLevelScores[0] + kStoryLevelScores[1] + kStoryLevelScores[2]);
    EXPECT_FALSE(std::filesystem::exists(run.DataPath("Player.pf")))
        << "the player's own files stay as they were";

    ASSERT_EQ(playback.saves.size(), 3u);
    std::printf("levels 2 and 3 (%d ms) played back %.0f times faster than real time by "
                "processor time, %.0f times by the wall clock; the whole demo (%d ms, with its "
                "loading) in %.0f ms\n",
                playback.LevelsMs(), playback.CpuSpeed(), playback.WallSpeed(), playback.recordedMs,
                playback.wholeMs);
    EXPECT_GE(playback.CpuSpeed(), kLeastSpeed);
}

} // namespace
} // namespace Vuro::Test
