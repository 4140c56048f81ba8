#include "game/player/PlayerRecord.h"
#include "support/FileSizeLimit.h"

#include "PlayerDataFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace Vuro {
namespace {

using Test::PlayerDataTest;
using namespace std::string_literals;

class PlayerRecordTest : public PlayerDataTest {};

// Hand-worked: "Ann" padded to 8, score 1234 (0x4D2), stage flags 1 0 1 0 0, zero padding,
// story 7, survival 2, story max 9, survival max 3, easy 1, zero padding.
const std::string kAnnBytes = "Ann\0\0\0\0\0"s + "\xD2\x04\0\0"s + "\x01\0\x01\0\0"s + "\0\0\0"s +
                              "\x07\0\0\0"s + "\x02\0\0\0"s + "\x09\0\0\0"s + "\x03\0\0\0"s +
                              "\x01"s + "\0\0\0"s;

PlayerRecord AnnRecord() {
    PlayerRecord record;
    record.SetName("Ann");
    record.totalScore = 1234;
    record.stageUnlocked[0] = 1;
    record.stageUnlocked[2] = 1;
    record.storyLevel = 7;
    record.survivalLevel = 2;
    record.storyLevelMax = 9;
    record.survivalLevelMax = 3;
    record.easyMode = 1;
    return record;
}

void ExpectSameFields(const PlayerRecord& a, const PlayerRecord& b) {
    EXPECT_EQ(a.GetName(), b.GetName());
    EXPECT_EQ(a.totalScore, b.totalScore);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(a.stageUnlocked[i], b.stageUnlocked[i]) << i;
    }
    EXPECT_EQ(a.storyLevel, b.storyLevel);
    EXPECT_EQ(a.survivalLevel, b.survivalLevel);
    EXPECT_EQ(a.storyLevelMax, b.storyLevelMax);
    EXPECT_EQ(a.survivalLevelMax, b.survivalLevelMax);
    EXPECT_EQ(a.easyMode, b.easyMode);
}

TEST_F(PlayerRecordTest, DefaultsAndTheirExactFile) {
    PlayerRecord record;
    EXPECT_EQ(record.GetName(), "Player");
    ASSERT_TRUE(record.Save("data\\Player.pf"));
    EXPECT_EQ(ReadData("Player.pf"), "Player\0\0"s + std::string(32, '\0'));
    EXPECT_FALSE(DataExists("Player.pf.tmp"));

    PlayerRecord loaded = AnnRecord();
    ASSERT_TRUE(loaded.Load("data\\Player.pf"));
    ExpectSameFields(loaded, PlayerRecord());
}

TEST_F(PlayerRecordTest, KnownRecordWritesHandWorkedBytesAndReadsBack) {
    ASSERT_TRUE(AnnRecord().Save("data\\Ann.pf"));
    EXPECT_EQ(ReadData("Ann.pf"), kAnnBytes);

    PlayerRecord loaded;
    ASSERT_TRUE(loaded.Load("data\\Ann.pf"));
    ExpectSameFields(loaded, AnnRecord());
}

TEST_F(PlayerRecordTest, NegativeAndLargeValuesAreLittleEndian) {
    PlayerRecord record;
    record.totalScore = -2;
    record.storyLevel = 0x01020304;
    ASSERT_TRUE(record.Save("data\\x.pf"));
    const std::string bytes = ReadData("x.pf");
    EXPECT_EQ(bytes.substr(8, 4), "\xFE\xFF\xFF\xFF"s);
    EXPECT_EQ(bytes.substr(20, 4), "\x04\x03\x02\x01"s);
}

TEST_F(PlayerRecordTest, OlderShortFormLoadsWithoutEasyModeAndSavesInFullForm) {
    WriteData("old.pf", kAnnBytes.substr(0, 36));
    PlayerRecord record;
    record.easyMode = 1;
    ASSERT_TRUE(record.Load("data\\old.pf"));
    EXPECT_EQ(record.storyLevel, 7);
    EXPECT_EQ(record.storyLevelMax, 9);
    EXPECT_EQ(record.easyMode, 0);
    EXPECT_EQ(record.GetName(), "Ann");
    ASSERT_TRUE(record.Save("data\\old.pf"));
    EXPECT_EQ(ReadData("old.pf").size(), 40u);

    // 37 to 39 bytes are the older form too: the stray easy-mode byte is not taken.
    WriteData("odd.pf", kAnnBytes.substr(0, 38));
    ASSERT_TRUE(record.Load("data\\odd.pf"));
    EXPECT_EQ(record.easyMode, 0);
}

TEST_F(PlayerRecordTest, ShortOrMissingFilesFail) {
    WriteData("short.pf", kAnnBytes.substr(0, 20));
    PlayerRecord record = AnnRecord();
    EXPECT_FALSE(record.Load("data\\short.pf"));
    ExpectSameFields(record, PlayerRecord());

    WriteData("empty.pf", "");
    record = AnnRecord();
    EXPECT_FALSE(record.Load("data\\empty.pf"));
    ExpectSameFields(record, PlayerRecord());

    record = AnnRecord();
    EXPECT_FALSE(record.Load("data\\missing.pf"));
    EXPECT_FALSE(record.LoadShort("data\\missing.pf"));
    ExpectSameFields(record, AnnRecord());
}

TEST_F(PlayerRecordTest, NameFieldIsNormalisedAndLongFilesCut) {
    std::string bytes = kAnnBytes;
    bytes.replace(0, 8, "Bob\0xyzQ"s);
    WriteData("bob.pf", bytes + "trailing bytes");
    PlayerRecord record;
    ASSERT_TRUE(record.Load("data\\bob.pf"));
    EXPECT_EQ(record.GetName(), "Bob");
    ASSERT_TRUE(record.Save("data\\bob.pf"));
    EXPECT_EQ(ReadData("bob.pf"), "Bob\0\0\0\0\0"s + kAnnBytes.substr(8));

    // A seven-letter name with a non-zero terminator byte keeps its letters.
    bytes.replace(0, 8, "Seventh!"s);
    WriteData("seven.pf", bytes);
    ASSERT_TRUE(record.Load("data\\seven.pf"));
    EXPECT_EQ(record.GetName(), "Seventh");
    EXPECT_EQ(record.name[7], '\0');
}

TEST_F(PlayerRecordTest, SetNameCutsToSevenCharactersAndStopsAtZero) {
    PlayerRecord record;
    record.SetName("Alexandra");
    EXPECT_EQ(std::string(record.name, 8), "Alexand\0"s);
    record.SetName("Jo\0hn"s);
    EXPECT_EQ(std::string(record.name, 8), "Jo\0\0\0\0\0\0"s);
}

TEST_F(PlayerRecordTest, FailedSaveKeepsTheOldFile) {
    ASSERT_TRUE(AnnRecord().Save("data\\Ann.pf"));
    {
        Vuro::Test::FileSizeLimit diskFull(8);
        EXPECT_FALSE(PlayerRecord().Save("data\\Ann.pf"));
    }
    EXPECT_EQ(ReadData("Ann.pf"), kAnnBytes);
    EXPECT_FALSE(PlayerRecord().Save("nofolder\\x.pf"));
}

} // namespace
} // namespace Vuro
