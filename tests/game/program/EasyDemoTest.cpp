// The real program plays back a recorded demo of easy mode on SDL's dummy drivers: from the
// intro, the first start's name question and the menu to the stage map, where the difficulty
// caption's question turns easy mode on, into the first level of the easy set, which is played
// to its end and won, then its statistics screen, and the start of the second level, where the
// recording closed the program. The recorded run let each fruit hang ripe for 4.5 seconds
// before picking it, longer than the normal set's times keep fruit on the tree: a playback
// whose fruit kept those times clicks where no fruit hangs any more and loses the level. What
// the program saved into its playback copy of the player files must be what the recorded run
// saved.
//
// The demo is tests/game/demos/easy.dmo; README.md there says how to make it again.

#include "ProgramRun.h"

#include "game/player/PlayerRecord.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace Vuro::Test {
namespace {

namespace fs = std::filesystem;
using Clock = ProgramRun::Clock;

// The recorded run's score of the first easy level (printed by record_story_demo).
constexpr int kLevelScore = 614;

TEST(EasyDemo, PlaysTheFirstEasyStoryLevelToItsEndAndSavesWhatTheRecordedRunSaved) {
    TempFolder folder("easy_demo");
    ProgramRun run(VURO_PROGRAM, folder);
    std::string demo = run.Path("easy.dmo");
    fs::copy_file(std::string(VURO_SOURCE_DIR) + "/tests/game/demos/easy.dmo", demo);

    ASSERT_TRUE(run.Start({"-play", "-demofile=" + demo}));
    run.Type("0"); // fast-forward to the demo's end
    int status = run.WaitForExit(Clock::now() + std::chrono::seconds(100));
    std::string output = run.Output();
    ASSERT_EQ(status, 0) << output;
    EXPECT_EQ(output.find("Error: "), std::string::npos) << output;
    EXPECT_EQ(output.find("Demo playback stopped"), std::string::npos) << output;

    // Playback saves into its own copy of the player files, never into the real ones.
    EXPECT_FALSE(fs::exists(run.DataPath("Player.pf")));
    PlayerRecord record;
    ASSERT_TRUE(record.Load(run.PlaybackPath("Player.pf")));
    EXPECT_EQ(record.easyMode, 1) << "turned on at the map";
    EXPECT_EQ(record.storyLevel, 1) << "the first level won\n" << output;
    EXPECT_EQ(record.storyLevelMax, 1);
    EXPECT_EQ(record.totalScore, kLevelScore);
}

} // namespace
} // namespace Vuro::Test
