// The real program plays back a recorded tour of the game on SDL's dummy drivers: the intro, the
// first start's name question, the menu, the prologue and the stage map, the first story level
// won with its statistics screen, the second left through the in-game question for the stage
// map, back to the menu, the score board opened and closed, the game's own cursors turned off in
// the options, and the exit question answered yes. The files the playback wrote (the player's
// record, the profile list, the score tables) must be those the recorded run wrote, kept beside the
// demo; it wrote them in a copy of the player's files taken when it began, and the player's own
// files are as they were, byte for byte. The settings are not written by a playback either: every
// write the recorded run made to them is a record of the demo that the playback must meet in the
// same order (or it stops), and the settings file of the recorded run is kept beside the demo too.
//
// The demo is tests/game/demos/tour.dmo, the recorded run's files are in tests/game/demos/tour/;
// README.md there says how to make both again.

#include "ProgramRun.h"

#include "game/player/PlayerRecord.h"
#include "game/player/ScoreTables.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace Vuro::Test {
namespace {

namespace fs = std::filesystem;

const std::string kDemoFolder = std::string(VURO_SOURCE_DIR) + "/tests/game/demos/";

std::string Contents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(TourDemo, PlaysBackToTheExitAndWritesTheFilesTheRecordedRunWrote) {
    TempFolder folder("tour_demo");
    ProgramRun run(VURO_PROGRAM, folder);
    std::string demo = run.Path("tour.dmo");
    fs::copy_file(kDemoFolder + "tour.dmo", demo);

    // The player's files hold a record the tour never names (it begins with a first start).
    PlayerRecord other;
    other.SetName("Bob");
    other.storyLevel = 12;
    other.easyMode = 1;
    fs::create_directories(fs::path(run.DataPath("Bob.pf")).parent_path());
    ASSERT_TRUE(other.Save(run.DataPath("Bob.pf")));
    const std::string bob = Contents(run.DataPath("Bob.pf"));

    ASSERT_TRUE(run.Start({"-play", "-demofile=" + demo}));
    run.Type("0"); // fast-forward
    int status = run.WaitForExit(ProgramRun::Clock::now() + std::chrono::seconds(100));
    std::string output = run.Output();
    ASSERT_EQ(status, 0) << output;
    EXPECT_EQ(output.find("Error: "), std::string::npos) << output;
    EXPECT_EQ(output.find("Demo playback stopped"), std::string::npos) << output;

    // The recorded run's own files say what the tour did: one level won by "Player", whose
    // score entered the story table, and the cursors' setting written by the options.
    PlayerRecord recorded;
    ASSERT_TRUE(recorded.Load(kDemoFolder + "tour/Player.pf"));
    EXPECT_EQ(recorded.storyLevel, 1);
    EXPECT_EQ(recorded.storyLevelMax, 1);
    ScoreTables tables;
    FILE* scores = std::fopen((kDemoFolder + "tour/scores.dat").c_str(), "rb");
    ASSERT_NE(scores, nullptr);
    EXPECT_TRUE(tables.Read(scores));
    std::fclose(scores);
    bool entered = false;
    ScoreEntry row;
    for (int index = 0; tables.GetRow(index, row, true); ++index) {
        entered = entered || (row.GetName() == "Player" && row.level == 1 &&
                              row.score == recorded.totalScore && row.score > 0);
    }
    EXPECT_TRUE(entered) << "the won level in the story table";

    for (const char* name : {"Player.pf", "profile.dat", "scores.dat"}) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(fs::exists(run.PlaybackPath(name)));
        EXPECT_EQ(Contents(run.PlaybackPath(name)), Contents(kDemoFolder + "tour/" + name));
    }
    EXPECT_EQ(Contents(run.PlaybackPath("Bob.pf")), bob) << "the copy holds the player's files";
    std::vector<std::string> own;
    for (const auto& entry :
         fs::directory_iterator(fs::path(run.DataPath("Bob.pf")).parent_path())) {
        own.push_back(entry.path().filename().string());
    }
    EXPECT_EQ(own, std::vector<std::string>{"Bob.pf"});
    EXPECT_EQ(Contents(run.DataPath("Bob.pf")), bob);
    EXPECT_FALSE(fs::exists(run.Path("config/Kelmontrave/Quandrellis.reg")));
    std::string settings = Contents(kDemoFolder + "tour/Quandrellis.reg");
    EXPECT_NE(settings.find("\"CustomCursors\"=dword:00000000"), std::string::npos) << settings;
}

} // namespace
} // namespace Vuro::Test
