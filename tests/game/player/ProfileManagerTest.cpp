#include "game/player/ProfileManager.h"

#include "PlayerDataFolder.h"

#include <gtest/gtest.h>

#include <vector>

namespace Vuro {
namespace {

using namespace std::string_literals;

class ProfileManagerTest : public Test::PlayerDataTest {
protected:
    static std::vector<std::string> Texts(const ProfileManager& manager) {
        std::vector<std::string> texts;
        std::string name;
        for (int i = 0; i < manager.GetCount(); ++i) {
            EXPECT_TRUE(manager.GetName(i, name));
            texts.push_back(ProfileManager::TextOf(name));
        }
        return texts;
    }
    static std::string Current(const ProfileManager& manager) {
        PlayerRecord record;
        return manager.GetRecord(&record)->GetName();
    }
    static void WriteRecord(const std::string& name, int32_t storyLevel) {
        PlayerRecord record;
        record.SetName(name);
        record.storyLevel = storyLevel;
        ASSERT_TRUE(record.Save(ProfileManager::ProfilePath(name)));
    }
    static std::string ListBytes(const std::vector<std::string>& names) {
        std::string bytes = Le(static_cast<uint32_t>(names.size()));
        for (const std::string& name : names) {
            bytes += name + std::string(7 - name.size(), '\0');
        }
        return bytes;
    }
};

TEST_F(ProfileManagerTest, UnloadableProfilesAreDroppedFromTheFront) {
    WriteData("profile.dat", ListBytes({"Ann", "Bob"}));
    WriteRecord("Bob", 4);
    ProfileManager manager;
    ASSERT_TRUE(manager.LoadList());
    EXPECT_EQ(Texts(manager), (std::vector<std::string>{"Bob"}));
    PlayerRecord record;
    EXPECT_EQ(manager.GetRecord(&record)->storyLevel, 4);
    EXPECT_EQ(ReadData("profile.dat"), ListBytes({"Ann", "Bob"}));
    EXPECT_EQ(ReadData("Bob.pf").size(), 40u);
}

TEST_F(ProfileManagerTest, EmptyListSavesTheDefaultRecordUnderItsOwnName) {
    WriteData("profile.dat", Le(0));
    ProfileManager manager;
    EXPECT_FALSE(manager.LoadList());
    EXPECT_EQ(manager.GetCount(), 0);
    EXPECT_EQ(ReadData("Player.pf"), "Player\0\0"s + std::string(32, '\0'));
}

TEST_F(ProfileManagerTest, DamagedListFiles) {
    ProfileManager manager;
    EXPECT_FALSE(manager.LoadList()); // no file
    WriteData("profile.dat", "\x02\0"s);
    EXPECT_FALSE(manager.LoadList());
    // Cut inside the second name: nothing is kept.
    WriteRecord("Ann", 1);
    WriteData("profile.dat", ListBytes({"Ann", "Bob"}).substr(0, 15));
    EXPECT_FALSE(manager.LoadList());
    EXPECT_EQ(manager.GetCount(), 0);
    // Empty fields are skipped; a huge count is only a short file.
    WriteData("profile.dat", Le(3) + std::string(7, '\0') + "Ann\0\0\0\0"s + std::string(7, '\0'));
    EXPECT_TRUE(manager.LoadList());
    EXPECT_EQ(Texts(manager), (std::vector<std::string>{"Ann"}));
    WriteData("profile.dat", Le(0x7FFFFFFF) + "Ann\0\0\0\0"s);
    EXPECT_FALSE(manager.LoadList());
    // An older short record is rewritten in full by the load.
    WriteData("Ann.pf", "Ann\0\0\0\0\0"s + std::string(28, '\0'));
    WriteData("profile.dat", ListBytes({"Ann"}));
    EXPECT_TRUE(manager.LoadList());
    EXPECT_EQ(ReadData("Ann.pf").size(), 40u);
}

TEST_F(ProfileManagerTest, NamesLeadingOutOfTheDataFolderAreNeverUsed) {
    WriteData("profile.dat", ListBytes({"../x", "Ann"}));
    WriteRecord("Ann", 2);
    ProfileManager manager;
    ASSERT_TRUE(manager.LoadList());
    EXPECT_EQ(Texts(manager), (std::vector<std::string>{"Ann"}));
    std::string bad = "a\\b";
    EXPECT_FALSE(manager.AddProfile(bad));
    bad = "../c";
    EXPECT_FALSE(manager.AddProfile(bad));
    EXPECT_FALSE(manager.DeleteProfile("../x"));
    EXPECT_EQ(manager.GetCount(), 1);
}

TEST_F(ProfileManagerTest, AddRefusesEmptyLongAndDuplicateNames) {
    WriteData("profile.dat", ListBytes({"Ann"}));
    WriteRecord("Ann", 0);
    ProfileManager manager;
    ASSERT_TRUE(manager.LoadList());
    std::string name;
    EXPECT_FALSE(manager.AddProfile(name));
    name = "Eightchr";
    EXPECT_FALSE(manager.AddProfile(name));
    name = "Ann"; // the entry from the file is "Ann" and four zero bytes
    EXPECT_FALSE(manager.AddProfile(name));
    name = "ann";
    EXPECT_TRUE(manager.AddProfile(name));
    name = "Seven77";
    EXPECT_TRUE(manager.AddProfile(name));
    EXPECT_EQ(Texts(manager), (std::vector<std::string>{"Ann", "ann", "Seven77"}));
    // The new profile's default record is current and saved, entry 0 still the old one.
    EXPECT_EQ(Current(manager), "Seven77");
    EXPECT_EQ(ReadData("Seven77.pf"), "Seven77\0"s + std::string(32, '\0'));
}

TEST_F(ProfileManagerTest, AddFailsWhenTheFileCannotBeWritten) {
    std::filesystem::remove("data");
    ProfileManager manager;
    std::string name = "Ann";
    EXPECT_FALSE(manager.AddProfile(name));
    EXPECT_EQ(manager.GetCount(), 0);
}

TEST_F(ProfileManagerTest, SelectMovesTheNameToTheFrontAndLoadsIt) {
    ProfileManager manager;
    for (std::string name : {"Ann", "Bob", "Cy"}) {
        ASSERT_TRUE(manager.AddProfile(name));
    }
    WriteRecord("Bob", 6);
    std::string name = "Bob";
    ASSERT_TRUE(manager.SelectProfile(name));
    EXPECT_EQ(Texts(manager), (std::vector<std::string>{"Bob", "Ann", "Cy"}));
    PlayerRecord record;
    EXPECT_EQ(manager.GetRecord(&record)->storyLevel, 6);

    // Already first: the file is not read again.
    WriteRecord("Bob", 9);
    ASSERT_TRUE(manager.SelectProfile(name));
    EXPECT_EQ(manager.GetRecord(&record)->storyLevel, 6);

    name = "Dan";
    EXPECT_FALSE(manager.SelectProfile(name));
    name = "Toolongname";
    EXPECT_FALSE(manager.SelectProfile(name));
    // A profile whose file is gone moves to the front but does not load.
    std::filesystem::remove("data/Cy.pf");
    name = "Cy";
    EXPECT_FALSE(manager.SelectProfile(name));
    EXPECT_EQ(Texts(manager), (std::vector<std::string>{"Cy", "Bob", "Ann"}));
}

TEST_F(ProfileManagerTest, DeleteAndRemove) {
    ProfileManager manager;
    for (std::string name : {"Ann", "Bob"}) {
        ASSERT_TRUE(manager.AddProfile(name));
    }
    std::string name = "Dan";
    EXPECT_FALSE(manager.RemoveProfile(name));
    name = "Ann";
    EXPECT_TRUE(manager.RemoveProfile(name));
    EXPECT_FALSE(DataExists("Ann.pf"));
    EXPECT_EQ(Texts(manager), (std::vector<std::string>{"Bob"}));
    // The last profile: the placeholder takes its place, and the result is false.
    EXPECT_FALSE(manager.DeleteProfile("Bob"));
    EXPECT_FALSE(DataExists("Bob.pf"));
    EXPECT_EQ(Texts(manager), (std::vector<std::string>{"Player"}));
    EXPECT_FALSE(DataExists("Player.pf"));
    // A file that cannot be removed: the entry still goes.
    name = "Cy";
    ASSERT_TRUE(manager.AddProfile(name));
    std::filesystem::remove("data/Cy.pf");
    EXPECT_FALSE(manager.DeleteProfile("Cy"));
    EXPECT_EQ(Texts(manager), (std::vector<std::string>{"Player"}));
    // When that empties the list, the failed removal answers first: no placeholder is added.
    ProfileManager lone;
    name = "Eve";
    ASSERT_TRUE(lone.AddProfile(name));
    std::filesystem::remove("data/Eve.pf");
    EXPECT_FALSE(lone.DeleteProfile("Eve"));
    EXPECT_TRUE(Texts(lone).empty());
}

TEST_F(ProfileManagerTest, SaveListWritesSevenBytesPerName) {
    WriteData("profile.dat", ListBytes({"Ann"}));
    WriteRecord("Ann", 0);
    ProfileManager manager;
    ASSERT_TRUE(manager.LoadList());
    for (std::string name : {"Bob", "Seven77"}) {
        ASSERT_TRUE(manager.AddProfile(name));
    }
    ASSERT_TRUE(manager.SaveList());
    EXPECT_EQ(ReadData("profile.dat"),
              "\x03\0\0\0"s + "Ann\0\0\0\0"s + "Bob\0\0\0\0"s + "Seven77"s);
    EXPECT_FALSE(DataExists("profile.dat.tmp"));

    ProfileManager again;
    ASSERT_TRUE(again.LoadList());
    EXPECT_EQ(Texts(again), (std::vector<std::string>{"Ann", "Bob", "Seven77"}));
}

TEST_F(ProfileManagerTest, RecordIsHandedOutAndTakenBackWhole) {
    ProfileManager manager;
    std::string name = "Ann";
    ASSERT_TRUE(manager.AddProfile(name));
    ASSERT_TRUE(manager.SelectProfile(name));
    PlayerRecord record;
    manager.GetRecord(&record);
    record.totalScore = 999999;
    record.easyMode = 1;
    manager.SetRecord(record);
    EXPECT_EQ(ReadData("Ann.pf").substr(8, 4), Le(0)); // not saved yet
    ASSERT_TRUE(manager.SaveCurrent());
    EXPECT_EQ(ReadData("Ann.pf").substr(8, 4), Le(999999));
    EXPECT_EQ(ReadData("Ann.pf")[36], '\x01');
}

} // namespace
} // namespace Vuro
