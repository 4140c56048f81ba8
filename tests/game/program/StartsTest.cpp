// The first start and a later one, played on SDL's dummy drivers by play_starts (the real game
// application, driven through the window's messages; tests/game/starts/PlayStarts.cpp): with an
// empty data folder the intro leads to the name question; the name, typed at 120 ms a key (key
// down, character and key up; the field takes one every 90 ms), arrives whole and becomes the
// one profile, and the list file and the profile's record are on disk; the next start, with
// progress in that record, goes from the intro straight to the menu with the profile current
// and its progress loaded.

#include "ProgramRun.h"

#include "game/player/PlayerRecord.h"
#include "platform/TextEncoding.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

namespace Vuro::Test {
namespace {

namespace fs = std::filesystem;
using Clock = ProgramRun::Clock;

std::vector<uint8_t> Bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Starts play_starts in folder and waits for its end; the output of the run.
std::string Play(const TempFolder& folder, const std::string& mode, const std::string& name) {
    ProgramRun run(VURO_PLAY_STARTS, folder);
    EXPECT_TRUE(run.Start({mode, name}));
    int status = run.WaitForExit(Clock::now() + std::chrono::seconds(100));
    std::string output = run.Output();
    EXPECT_EQ(status, 0) << output;
    EXPECT_EQ(output.find("Error: "), std::string::npos) << output;
    return output;
}

TEST(Starts, TheFirstAsksForANameAndTheNextGoesStraightToTheMenuWithTheProgressKept) {
    TempFolder folder("starts");
    const std::string name = "Миша 7"; // a player's name as typed: Cyrillic, a blank, a digit
    const std::string stored = Platform::Utf8ToCp1251(name);
    const std::string recordPath = PlayerDataPath(folder, stored + ".pf");

    std::string first = Play(folder, "first", name);
    EXPECT_NE(first.find("intro: start box\nname question: 6 characters typed, accepted\n"
                         "profiles: OK\nmenu: profile Миша 7 of 1, story level max 0, score 0\n"),
              std::string::npos)
        << first;
    // The list: a count of 1, then the name in its 7 bytes.
    std::vector<uint8_t> list = {1, 0, 0, 0};
    list.insert(list.end(), stored.begin(), stored.end());
    list.resize(4 + 7, 0);
    EXPECT_EQ(Bytes(PlayerDataPath(folder, "profile.dat")), list);
    PlayerRecord record;
    ASSERT_TRUE(record.Load(recordPath));
    EXPECT_EQ(record.GetName(), stored);
    EXPECT_EQ(record.storyLevelMax, 0);

    // Progress made in between, as a level's end saves it.
    record.storyLevel = 4;
    record.storyLevelMax = 5;
    record.totalScore = 1234;
    ASSERT_TRUE(record.Save(recordPath));

    std::string again = Play(folder, "again", name);
    EXPECT_NE(again.find("intro: start box\nmenu: profile Миша 7 of 1, story level max 5, "
                         "score 1234\n"),
              std::string::npos)
        << again;
    EXPECT_EQ(Bytes(PlayerDataPath(folder, "profile.dat")), list);
    PlayerRecord kept;
    ASSERT_TRUE(kept.Load(recordPath));
    EXPECT_EQ(kept.ToBytes(), record.ToBytes());
}

} // namespace
} // namespace Vuro::Test
