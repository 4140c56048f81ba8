#include "game/player/ScoreTables.h"
#include "support/FileSizeLimit.h"

#include "PlayerDataFolder.h"
#include "platform/TextEncoding.h"

#include <gtest/gtest.h>

#include <vector>

namespace Vuro {
namespace {

using namespace std::string_literals;

class ScoreTablesTest : public Test::PlayerDataTest {};

ScoreEntry Row(const std::string& name, int32_t score, int32_t level = 1) {
    ScoreEntry entry;
    entry.SetName(name);
    entry.score = score;
    entry.level = level;
    return entry;
}

std::vector<int32_t> Scores(const ScoreTables& tables, bool story) {
    std::vector<int32_t> scores;
    ScoreEntry entry;
    for (int i = 0; i < tables.Count(story); ++i) {
        EXPECT_TRUE(tables.GetRow(i, entry, story));
        scores.push_back(entry.score);
    }
    return scores;
}

std::vector<std::string> Names(const ScoreTables& tables, bool story) {
    std::vector<std::string> names;
    ScoreEntry entry;
    for (int i = 0; i < tables.Count(story); ++i) {
        EXPECT_TRUE(tables.GetRow(i, entry, story));
        names.push_back(entry.GetName());
    }
    return names;
}

TEST_F(ScoreTablesTest, RowsKeepAddingOrderUntilSorted) {
    ScoreTables tables;
    for (int32_t score : {10, 30, 20}) {
        EXPECT_TRUE(tables.Add(Row("a", score), true));
    }
    EXPECT_EQ(Scores(tables, true), (std::vector<int32_t>{10, 30, 20}));
    EXPECT_EQ(tables.Count(false), 0);
    tables.Sort(true);
    EXPECT_EQ(Scores(tables, true), (std::vector<int32_t>{30, 20, 10}));
}

TEST_F(ScoreTablesTest, SortIsStableAndSigned) {
    ScoreTables tables;
    tables.Add(Row("first", 5), false);
    tables.Add(Row("neg", -3), false);
    tables.Add(Row("second", 5), false);
    tables.Add(Row("zero", 0), false);
    tables.Sort(false);
    EXPECT_EQ(Names(tables, false), (std::vector<std::string>{"first", "second", "zero", "neg"}));
}

TEST_F(ScoreTablesTest, FullTableKeepsFiveRows) {
    ScoreTables tables;
    for (int32_t score : {300, 100, 500, 200, 400}) {
        tables.Add(Row("old", score), true);
    }
    EXPECT_FALSE(tables.Add(Row("low", 99), true));
    EXPECT_EQ(Scores(tables, true), (std::vector<int32_t>{500, 400, 300, 200, 100}));

    EXPECT_TRUE(tables.Add(Row("tie", 100), true));
    EXPECT_EQ(tables.Count(true), 5);
    ScoreEntry last;
    ASSERT_TRUE(tables.GetRow(4, last, true));
    EXPECT_EQ(last.GetName(), "tie");

    EXPECT_TRUE(tables.Add(Row("new", 450), true));
    EXPECT_EQ(Scores(tables, true), (std::vector<int32_t>{500, 450, 400, 300, 200}));
    EXPECT_FALSE(tables.GetRow(5, last, true));
    EXPECT_FALSE(tables.GetRow(-1, last, true));
}

TEST_F(ScoreTablesTest, FileHasHandWorkedBytesAndReadsBack) {
    ScoreTables tables;
    tables.Add(Row("Ann", 1000, 3), true);
    tables.Add(Row("Bob", -1, 12), false);
    tables.Add(Row("Cy", 258, 1), false);
    ASSERT_TRUE(tables.Save());
    const std::string expected = "\x01\0\0\0"s + "Ann\0\0\0\0\0"s + "\xE8\x03\0\0"s +
                                 "\x03\0\0\0"s + "\x02\0\0\0"s + "Bob\0\0\0\0\0"s +
                                 "\xFF\xFF\xFF\xFF"s + "\x0C\0\0\0"s + "Cy\0\0\0\0\0\0"s +
                                 "\x02\x01\0\0"s + "\x01\0\0\0"s;
    EXPECT_EQ(ReadData("scores.dat"), expected);
    EXPECT_FALSE(DataExists("scores.dat.tmp"));

    ScoreTables loaded;
    ASSERT_TRUE(loaded.Load());
    EXPECT_EQ(Names(loaded, true), (std::vector<std::string>{"Ann"}));
    EXPECT_EQ(Names(loaded, false), (std::vector<std::string>{"Bob", "Cy"}));
    EXPECT_EQ(Scores(loaded, false), (std::vector<int32_t>{-1, 258}));
    ScoreEntry row;
    ASSERT_TRUE(loaded.GetRow(1, row, false));
    EXPECT_EQ(row.level, 1);
}

TEST_F(ScoreTablesTest, LoadedTablesKeepMoreThanFiveRowsInFileOrder) {
    std::string bytes = Le(6);
    for (int i = 0; i < 6; ++i) {
        bytes += "r\0\0\0\0\0\0\0"s + Le(static_cast<uint32_t>(i)) + Le(1);
    }
    WriteData("scores.dat", bytes + Le(0));
    ScoreTables tables;
    ASSERT_TRUE(tables.Load());
    EXPECT_EQ(Scores(tables, true), (std::vector<int32_t>{0, 1, 2, 3, 4, 5}));
    EXPECT_EQ(tables.Count(false), 0);
}

TEST_F(ScoreTablesTest, DamagedFiles) {
    ScoreTables tables;
    EXPECT_FALSE(tables.Load()); // no file

    const std::string row = "Ann\0\0\0\0\0"s + Le(5) + Le(1);
    // Cut inside the story rows: both tables empty.
    WriteData("scores.dat", Le(2) + row + row.substr(0, 9));
    tables.Add(Row("x", 1), false);
    EXPECT_FALSE(tables.Load());
    EXPECT_EQ(tables.Count(true), 0);
    EXPECT_EQ(tables.Count(false), 0);

    // Cut at the survival count: the story rows stay.
    WriteData("scores.dat", Le(1) + row + "\x01\0"s);
    EXPECT_FALSE(tables.Load());
    EXPECT_EQ(tables.Count(true), 1);

    // Cut inside the survival rows: both empty.
    WriteData("scores.dat", Le(1) + row + Le(1) + row.substr(0, 15));
    EXPECT_FALSE(tables.Load());
    EXPECT_EQ(tables.Count(true), 0);

    // A huge count is only a short file, and start-up then takes the default rows.
    WriteData("scores.dat", Le(0x7FFFFFFF) + row);
    EXPECT_FALSE(tables.Load());
    ScoreTables started;
    EXPECT_TRUE(InitScoreTables(started));
    EXPECT_EQ(started.Count(true), 3);
    // A folder where the file should be is no file at all.
    std::filesystem::remove("data/scores.dat");
    std::filesystem::create_directory("data/scores.dat");
    EXPECT_FALSE(tables.Load());
}

TEST_F(ScoreTablesTest, ACountOfZeroOrLessMeansNoRowsAndTheNextCountFollowsIt) {
    const std::string row = "Ann\0\0\0\0\0"s + Le(5) + Le(2);
    const std::string bob = "Bob\0\0\0\0\0"s + Le(7) + Le(3);
    struct Case {
        std::string bytes;
        int story;
        int survival;
    };
    const Case cases[] = {
        {Le(0xFFFFFFFF) + Le(2) + row + bob, 0, 2}, // the survival rows right after the -1
        {Le(0x80000000) + Le(1) + bob, 0, 1},
        {Le(0) + Le(1) + row, 0, 1},
        {Le(1) + row + Le(0xFFFFFFFE), 1, 0},
    };
    for (const Case& c : cases) {
        WriteData("scores.dat", c.bytes);
        ScoreTables tables;
        ASSERT_TRUE(tables.Load());
        EXPECT_EQ(tables.Count(true), c.story);
        EXPECT_EQ(tables.Count(false), c.survival);
    }
    WriteData("scores.dat", Le(0xFFFFFFFF) + Le(2) + row + bob);
    ScoreTables started;
    ASSERT_TRUE(InitScoreTables(started));
    EXPECT_EQ(Names(started, false), (std::vector<std::string>{"Ann", "Bob"}));
    EXPECT_EQ(started.Count(true), 0);
}

TEST_F(ScoreTablesTest, NameWithoutTerminatorIsCutToSevenOnSave) {
    WriteData("scores.dat", Le(1) + "ABCDEFGH"s + Le(7) + Le(2) + Le(0));
    ScoreTables tables;
    ASSERT_TRUE(tables.Load());
    ScoreEntry row;
    ASSERT_TRUE(tables.GetRow(0, row, true));
    EXPECT_EQ(row.GetName(), "ABCDEFG");
    ASSERT_TRUE(tables.Save());
    EXPECT_EQ(ReadData("scores.dat").substr(4, 8), "ABCDEFG\0"s);
}

TEST_F(ScoreTablesTest, StartUpFillsDefaultRowsWhenThereIsNoFile) {
    ScoreTables tables;
    ASSERT_TRUE(InitScoreTables(tables));
    const std::vector<std::string> expected = {"Игрок 1"_cp1251, "Игрок 2"_cp1251,
                                               "Игрок 3"_cp1251};
    for (bool story : {true, false}) {
        EXPECT_EQ(Names(tables, story), expected);
        EXPECT_EQ(Scores(tables, story), (std::vector<int32_t>{0, 0, 0}));
    }
    const std::string file = ReadData("scores.dat");
    ASSERT_EQ(file.size(), 104u);
    // "Игрок 1" in code page 1251, filling the field with its terminator; level 1.
    EXPECT_EQ(file.substr(4, 16), "\xC8\xE3\xF0\xEE\xEA 1\0"s + Le(0) + Le(1));

    // A readable file is taken as it is.
    WriteData("scores.dat", Le(1) + "Ann\0\0\0\0\0"s + Le(9) + Le(4) + Le(0));
    ScoreTables again;
    ASSERT_TRUE(InitScoreTables(again));
    EXPECT_EQ(again.Count(true), 1);
    EXPECT_EQ(again.Count(false), 0);
}

TEST_F(ScoreTablesTest, StartUpAddsDefaultsToWhatADamagedFileLeft) {
    WriteData(
        "scores.dat", Le(5) + [] {
            std::string rows;
            for (int i = 1; i <= 5; ++i) {
                rows += "p\0\0\0\0\0\0\0"s + Le(static_cast<uint32_t>(i * 10)) + Le(1);
            }
            return rows;
        }());
    const std::string damaged = ReadData("scores.dat");
    ScoreTables tables;
    testing::internal::CaptureStderr();
    ASSERT_TRUE(InitScoreTables(tables));
    const std::string said = testing::internal::GetCapturedStderr();
    // The full story table refuses the zero-point defaults; survival takes all three.
    EXPECT_EQ(Scores(tables, true), (std::vector<int32_t>{50, 40, 30, 20, 10}));
    EXPECT_EQ(tables.Count(false), 3);
    // The file they replaced was kept aside first.
    EXPECT_EQ(ReadData("scores.dat.kept"), damaged);
    EXPECT_NE(said.find("data/scores.dat could not be read as score tables; it is kept as "
                        "data/scores.dat.kept\n"),
              std::string::npos)
        << said;
    ScoreTables saved;
    EXPECT_TRUE(saved.Load());
}

TEST_F(ScoreTablesTest, FailedSaveKeepsTheOldFile) {
    ScoreTables tables;
    tables.Add(Row("Ann", 1), true);
    ASSERT_TRUE(tables.Save());
    const std::string before = ReadData("scores.dat");
    tables.Add(Row("Bob", 2), true);
    {
        Vuro::Test::FileSizeLimit diskFull(8);
        EXPECT_FALSE(tables.Save());
    }
    EXPECT_EQ(ReadData("scores.dat"), before);
    // A folder at a name a temporary file once had does not block saving.
    std::filesystem::create_directory("data/scores.dat.tmp");
    EXPECT_TRUE(tables.Save());
}

} // namespace
} // namespace Vuro
