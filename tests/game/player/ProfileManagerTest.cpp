#include "game/player/ProfileManager.h"

#include "PlayerDataFolder.h"
#include "platform/TextEncoding.h"
#include "support/FileSizeLimit.h"

#include <gtest/gtest.h>

#include <map>
#include <random>
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
    // Every file of the data folder with its bytes.
    static std::map<std::string, std::string> Files() {
        std::map<std::string, std::string> files;
        for (const auto& entry : std::filesystem::directory_iterator("data")) {
            const std::string name = entry.path().filename().string();
            files[name] = ReadData(name);
        }
        return files;
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
    // A negative count holds no names either: not an empty list.
    WriteData("profile.dat", Le(0xFFFFFFFE) + "Ann\0\0\0\0"s);
    testing::internal::CaptureStderr();
    EXPECT_FALSE(manager.LoadList());
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "data/profile.dat is damaged; it is kept as data/profile.dat.kept.4\n");
    std::mt19937 random(3); // its count is negative
    std::string noise(1 << 20, '\0');
    for (char& byte : noise) {
        byte = static_cast<char>(random());
    }
    WriteData("profile.dat", noise);
    EXPECT_FALSE(manager.LoadList());
    EXPECT_EQ(manager.GetCount(), 0);
    // Each damaged list was kept aside before the next SaveList could replace it.
    EXPECT_EQ(ReadData("profile.dat.kept"), "\x02\0"s);
    EXPECT_EQ(ReadData("profile.dat.kept.2"), ListBytes({"Ann", "Bob"}).substr(0, 15));
    EXPECT_EQ(ReadData("profile.dat.kept.3"), Le(0x7FFFFFFF) + "Ann\0\0\0\0"s);
    EXPECT_EQ(ReadData("profile.dat.kept.4"), Le(0xFFFFFFFE) + "Ann\0\0\0\0"s);
    EXPECT_EQ(ReadData("profile.dat.kept.5"), noise);
    // An older short record is rewritten in full by the load.
    WriteData("Ann.pf", "Ann\0\0\0\0\0"s + std::string(28, '\0'));
    WriteData("profile.dat", ListBytes({"Ann"}));
    EXPECT_TRUE(manager.LoadList());
    EXPECT_EQ(ReadData("Ann.pf").size(), 40u);
}

// Nor are names with control characters, which a terminal showing the file name would obey.
TEST_F(ProfileManagerTest, NamesLeadingOutOfTheDataFolderAreNeverUsed) {
    const std::string escape = "\x01\x1B[2J\n";
    WriteData("profile.dat", ListBytes({"../x", escape, "Ann"}));
    WriteRecord(escape, 3);
    const std::string held = ReadData(escape + ".pf");
    WriteRecord("Ann", 2);
    ProfileManager manager;
    ASSERT_TRUE(manager.LoadList());
    EXPECT_EQ(Texts(manager), (std::vector<std::string>{"Ann"}));
    for (std::string bad : {"a\\b", "../c", "\x1B[2J", "a\x7F", "\tab"}) {
        EXPECT_FALSE(manager.AddProfile(bad)) << bad;
    }
    EXPECT_FALSE(manager.DeleteProfile("../x"));
    EXPECT_FALSE(manager.DeleteProfile(escape));
    EXPECT_EQ(manager.GetCount(), 1);
    EXPECT_EQ(ReadData(escape + ".pf"), held) << "never written or removed";
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
    ProfileManager manager;
    std::string name = "Ann";
    ASSERT_TRUE(manager.AddProfile(name));
    PlayerRecord progress;
    manager.GetRecord(&progress)->storyLevel = 5;
    manager.SetRecord(progress);
    ASSERT_TRUE(manager.SaveCurrent());
    WriteData("Cut.pf", "Cut\0"s); // does not load: kept aside only for a record that is saved
    const auto before = Files();
    {
        Vuro::Test::FileSizeLimit diskFull(8);
        for (std::string refused : {"Bob", "Cut"}) {
            EXPECT_FALSE(manager.AddProfile(refused));
        }
    }
    // Nothing changed: the current record is still Ann's, and the next save goes into her file.
    EXPECT_EQ(Texts(manager), (std::vector<std::string>{"Ann"}));
    PlayerRecord record;
    EXPECT_EQ(manager.GetRecord(&record)->ToBytes(), progress.ToBytes());
    EXPECT_EQ(Files(), before);

    std::filesystem::remove_all("data");
    name = "Dan";
    EXPECT_FALSE(manager.AddProfile(name));
    EXPECT_EQ(manager.GetCount(), 1);
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
    // A file that is gone already counts as removed.
    name = "Cy";
    ASSERT_TRUE(manager.AddProfile(name));
    std::filesystem::remove("data/Cy.pf");
    EXPECT_TRUE(manager.DeleteProfile("Cy"));
    EXPECT_EQ(Texts(manager), (std::vector<std::string>{"Player"}));
    // A file that cannot be removed (a folder of that name): the entry still goes, and when
    // that empties the list the placeholder stands in it all the same.
    for (const bool gone : {true, false}) {
        ProfileManager lone;
        name = "Eve";
        ASSERT_TRUE(lone.AddProfile(name));
        std::filesystem::remove("data/Eve.pf");
        if (!gone) {
            std::filesystem::create_directories("data/Eve.pf/inside");
        }
        EXPECT_FALSE(lone.DeleteProfile("Eve"));
        EXPECT_EQ(Texts(lone), (std::vector<std::string>{"Player"})) << gone;
        std::filesystem::remove_all("data/Eve.pf");
    }
    // A Cyrillic player's file has the UTF-8 name on disk, and is found there again.
    ProfileManager cyrillic;
    name = "Аня"_cp1251;
    ASSERT_TRUE(cyrillic.AddProfile(name));
    ASSERT_TRUE(cyrillic.SaveList());
    EXPECT_TRUE(DataExists("Аня.pf"));
    ASSERT_TRUE(cyrillic.LoadList());
    EXPECT_EQ(Current(cyrillic), name);
    ASSERT_TRUE(cyrillic.GetName(0, name));
    EXPECT_FALSE(cyrillic.RemoveProfile(name)) << "the last profile";
    EXPECT_FALSE(DataExists("Аня.pf"));
}

TEST_F(ProfileManagerTest, AListedProfileWhoseFileDoesNotLoadIsKeptAsideNotOverwritten) {
    const std::string cut = "Ann\0\0\0\0\0\x07\0\0\0"s; // 12 of the record's 40 bytes
    WriteData("profile.dat", ListBytes({"Ann", "Cid", "Bob"}));
    WriteData("Ann.pf", cut);
    std::filesystem::create_directories("data/Cid.pf"); // there, but no file to read
    WriteRecord("Bob", 4);
    ProfileManager manager;
    testing::internal::CaptureStderr();
    ASSERT_TRUE(manager.LoadList());
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(Texts(manager), (std::vector<std::string>{"Bob"}));
    EXPECT_EQ(ReadData("Ann.pf.kept"), cut);
    EXPECT_FALSE(DataExists("Ann.pf"));
    EXPECT_TRUE(std::filesystem::is_directory("data/Cid.pf.kept"));
    EXPECT_NE(said.find("data/Ann.pf could not be read as a player's record; it is kept as "
                        "data/Ann.pf.kept\n"),
              std::string::npos)
        << said;
    // The start goes on as for a profile that cannot be loaded: the list file loses them.
    ASSERT_TRUE(manager.SaveList());
    EXPECT_EQ(ReadData("profile.dat"), ListBytes({"Bob"}));

    // Chosen later, a file that has stopped loading is kept aside too before the profile goes.
    std::string name = "Dee";
    ASSERT_TRUE(manager.AddProfile(name));
    WriteData("Dee.pf", cut);
    EXPECT_FALSE(manager.SelectProfile(name));
    (void)manager.DeleteProfile(name);
    EXPECT_EQ(ReadData("Dee.pf.kept"), cut);
}

TEST_F(ProfileManagerTest, AFileThatCannotBeMovedAsideKeepsItsNameInTheListFile) {
    const std::string cut = "Ann\0\0\0\0\0"s;
    WriteData("profile.dat", ListBytes({"Ann", "Bob"}));
    WriteData("Ann.pf", cut);
    WriteRecord("Bob", 4);
    // Every name the file could be kept under is taken.
    WriteData("Ann.pf.kept", "");
    for (int n = 2; n <= 100; ++n) {
        WriteData("Ann.pf.kept." + std::to_string(n), "");
    }
    ProfileManager manager;
    ASSERT_TRUE(manager.LoadList());
    EXPECT_EQ(Texts(manager), (std::vector<std::string>{"Bob"}));
    ASSERT_TRUE(manager.SaveList());
    EXPECT_EQ(ReadData("profile.dat"), ListBytes({"Bob", "Ann"}));
    // Nothing writes over it: not a new profile of that name.
    std::string name = "Ann";
    EXPECT_FALSE(manager.AddProfile(name));
    EXPECT_EQ(ReadData("Ann.pf"), cut);
}

TEST_F(ProfileManagerTest, ANewProfileTakesUpTheUnlistedRecordOfItsName) {
    // The listed profile is missing; a record of the default name lies there, with progress.
    WriteData("profile.dat", ListBytes({"Ann"}));
    WriteRecord("Player", 5);
    const std::string progress = ReadData("Player.pf");
    ProfileManager manager;
    EXPECT_FALSE(manager.LoadList());
    EXPECT_EQ(ReadData("Player.pf"), progress);

    // A new profile of that name is that player, progress and all.
    std::string name = "Player";
    ASSERT_TRUE(manager.AddProfile(name));
    ASSERT_TRUE(manager.SelectProfile(name));
    EXPECT_EQ(Texts(manager), (std::vector<std::string>{"Player"}));
    PlayerRecord record;
    EXPECT_EQ(manager.GetRecord(&record)->storyLevel, 5);
    EXPECT_EQ(ReadData("Player.pf"), progress);
    EXPECT_FALSE(DataExists("Player.pf.kept"));
    // A file of the name that does not load is still kept aside, and the profile starts blank.
    WriteData("Cut.pf", "Cut\0"s);
    name = "Cut";
    ASSERT_TRUE(manager.AddProfile(name));
    EXPECT_EQ(ReadData("Cut.pf.kept"), "Cut\0"s);
    EXPECT_EQ(ReadData("Cut.pf"), "Cut\0\0\0\0\0"s + std::string(32, '\0'));
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
