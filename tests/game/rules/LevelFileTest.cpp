#include "game/rules/LevelFile.h"

#include "game/rules/PlayField.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace Vuro {
namespace {

// Reads text (as a file in a temp folder) into a freshly reset field.
class LevelFileTest : public ::testing::Test {
protected:
    bool Read(const std::string& text) {
        mFolder.Write("level1.xml", text);
        return LevelFile::ParseLevel(mFolder.Path("level1.xml"), mField, mError);
    }

    Vuro::Test::TempFolder mFolder{"levelfile"};
    PlayField mField;
    std::string mError;
};

constexpr const char* kLevel = R"(<?xml version="1.0"?>
<Init>
  <TreeNum attrib1="2"/>
  <Tree1 attrib1="1" attrib2="40" attrib3="50" attrib4="60" attrib5="70" attrib6="3" attrib7="2"/>
  <Tree1MatrixNum1 attrib1="2"/>
  <Matrix1Item1 attrib1="1" attrib2="0"/>
  <Matrix1Item2 attrib1="2" attrib2="1"/>
  <Tree2 attrib1="4" attrib2="300" attrib3="20" attrib4="310" attrib5="30" attrib6="10" attrib7="10"/>
  <Tree2MatrixNum2 attrib1="1"/>
  <Matrix2Item1 attrib1="9" attrib2="9"/>
  <FruitBoxNum attrib1="2"/>
  <FruitBox1 attrib1="1" attrib2="10" attrib3="20" attrib4="30" attrib5="40"/>
  <FruitBox2 attrib1="4" attrib2="0x10" attrib3="-5"/>
  <LevelGoal attrib1="12" attrib2="0" attrib3="0" attrib4="7"/>
  <LevelTime attrib1="180"/>
  <Day attrib1="0"/>
</Init>
<TimeLine>
  <TimeNum attrib1="3"/>
  <1 attrib1="5" attrib2="15"/>
  <2 attrib1="30" attrib2="3"/>
  <3 attrib1="170" attrib2="0"/>
</TimeLine>
)";

TEST_F(LevelFileTest, FileNamesPerModeAndSet) {
    EXPECT_EQ(LevelFile::GetFileName(false, false, 1), "levels/story/level1.xml");
    EXPECT_EQ(LevelFile::GetFileName(false, true, 43), "levels/easy/story/level43.xml");
    EXPECT_EQ(LevelFile::GetFileName(true, false, 6), "levels/survive/level6.xml");
    EXPECT_EQ(LevelFile::GetFileName(true, true, 2), "levels/easy/survive/level2.xml");
}

TEST_F(LevelFileTest, WholeLevelReachesTheField) {
    ASSERT_TRUE(Read(kLevel));

    ASSERT_EQ(mField.GetTreeCount(), 2);
    const FruitTree& apple = mField.GetTrees()[0];
    EXPECT_EQ(apple.GetKind(), 1);
    EXPECT_EQ(apple.GetX(), 40);
    EXPECT_EQ(apple.GetY(), 50);
    EXPECT_EQ(apple.GetOriginX(), 60);
    EXPECT_EQ(apple.GetOriginY(), 70);
    EXPECT_EQ(apple.GetNx(), 3);
    EXPECT_EQ(apple.GetNy(), 2);
    // Released before the items: blocked cells still count as free.
    EXPECT_EQ(apple.GetFreeCells(), 6);
    EXPECT_EQ(apple.GetCell(1, 0), FruitTree::kBlocked);
    EXPECT_EQ(apple.GetCell(2, 1), FruitTree::kBlocked);
    EXPECT_EQ(apple.GetCell(0, 0), FruitTree::kFreeCell);
    EXPECT_EQ(apple.GetCell(2, 0), FruitTree::kFreeCell);

    const FruitTree& orange = mField.GetTrees()[1];
    EXPECT_EQ(orange.GetKind(), 4);
    EXPECT_EQ(orange.GetFreeCells(), 100);
    EXPECT_EQ(orange.GetCell(9, 9), FruitTree::kBlocked);
    EXPECT_EQ(orange.GetCell(1, 0), FruitTree::kFreeCell); // the first tree's block is gone
    EXPECT_EQ(mField.GetTreesOfKind(1), 1);
    EXPECT_EQ(mField.GetTreesOfKind(4), 1);
    EXPECT_EQ(mField.GetTreesOfKind(2), 0);

    ASSERT_EQ(mField.GetBoxCount(), 2);
    const FruitBox& first = mField.GetBoxes()[0];
    EXPECT_EQ(first.GetKind(), 1);
    EXPECT_EQ(first.GetPlace(0), 10);
    EXPECT_EQ(first.GetPlace(3), 40);
    const FruitBox& second = mField.GetBoxes()[1];
    EXPECT_EQ(second.GetKind(), 4);
    EXPECT_EQ(second.GetPlace(0), 16);
    EXPECT_EQ(second.GetPlace(1), -5);
    EXPECT_EQ(second.GetPlace(2), 0); // missing attributes read as 0
    EXPECT_EQ(second.GetCount(), 0);

    EXPECT_EQ(mField.GetGoal(1), 12);
    EXPECT_EQ(mField.GetGoal(2), 0);
    EXPECT_EQ(mField.GetGoal(4), 7);
    EXPECT_EQ(mField.GetLevelTime(), 180);
    EXPECT_FALSE(mField.IsDay());

    ASSERT_EQ(mField.GetTimeLine().size(), 3u);
    EXPECT_EQ(mField.GetTimeLine()[0].mSecond, 5);
    EXPECT_EQ(mField.GetTimeLine()[0].mCode, 15);
    EXPECT_EQ(mField.GetTimeLine()[1].mSecond, 30);
    EXPECT_EQ(mField.GetTimeLine()[1].mCode, 3);
    EXPECT_EQ(mField.GetTimeLine()[2].mSecond, 170);
    EXPECT_EQ(mField.GetTimeLine()[2].mCode, 0);
}

TEST_F(LevelFileTest, MissingFileOrAFolderGivesThePopupText) {
    std::filesystem::create_directory(mFolder.Path("folder.xml"));
    for (const std::string& name : {mFolder.Path("nope.xml"), mFolder.Path("folder.xml")}) {
        EXPECT_FALSE(LevelFile::ParseLevel(name, mField, mError));
        EXPECT_EQ(mError, "Couldn't open file " + name +
                              ". Error returned:\n\"Unable to open file " + name + "\"");
        EXPECT_EQ(mField.GetTreeCount(), 0);
    }
}

TEST_F(LevelFileTest, SyntaxErrorKeepsWhatWasRead) {
    EXPECT_TRUE(Read("<Init><LevelTime attrib1=\"90\"/><Day attrib1=\"0\"></Init>"
                     "<TimeLine><1 attrib1=\"1\" attrib2=\"2\"/></TimeLine>"));
    EXPECT_EQ(mField.GetLevelTime(), 90);
    EXPECT_FALSE(mField.IsDay()); // its start tag came before the mismatched end tag
    EXPECT_TRUE(mField.GetTimeLine().empty());
}

TEST_F(LevelFileTest, OutOfOrderElementsAreIgnored) {
    ASSERT_TRUE(Read(R"(<Init>
  <TreeNum attrib1="2"/>
  <FruitBoxNum attrib1="3"/>
  <Tree2 attrib1="2" attrib6="2" attrib7="2"/>
  <Tree1 attrib1="3" attrib6="2" attrib7="2"/>
  <Tree1MatrixNum1 attrib1="1"/>
  <Matrix1Item1 attrib1="-1" attrib2="0"/>
  <FruitBox1 attrib1="1"/>
  <FruitBox3 attrib1="3"/>
  <FruitBox2 attrib1="2"/>
</Init>)"));
    ASSERT_EQ(mField.GetTreeCount(), 1);
    EXPECT_EQ(mField.GetTrees()[0].GetKind(), 3);
    EXPECT_EQ(mField.GetTrees()[0].GetCell(0, 0), FruitTree::kFreeCell); // outside: no change
    ASSERT_EQ(mField.GetBoxCount(), 2);
    EXPECT_EQ(mField.GetBoxes()[0].GetKind(), 1);
    EXPECT_EQ(mField.GetBoxes()[1].GetKind(), 2);
}

TEST_F(LevelFileTest, WithoutCountsTheFirstNumberRepeats) {
    ASSERT_TRUE(Read(R"(<Init>
  <Tree1 attrib1="1" attrib6="1" attrib7="1"/>
  <Matrix1Item1/>
  <Tree1 attrib1="2" attrib6="1" attrib7="1"/>
  <Matrix1Item1/>
  <Tree2 attrib1="3"/>
  <FruitBox1 attrib1="1"/>
  <FruitBox1 attrib1="2"/>
  <FruitBox2 attrib1="3"/>
</Init>
<TimeLine>
  <1 attrib1="4" attrib2="5"/>
  <1 attrib1="6" attrib2="7"/>
  <2 attrib1="8" attrib2="9"/>
</TimeLine>)"));
    ASSERT_EQ(mField.GetTreeCount(), 2);
    EXPECT_EQ(mField.GetTrees()[1].GetKind(), 2);
    EXPECT_EQ(mField.GetBoxCount(), 2);
    ASSERT_EQ(mField.GetTimeLine().size(), 2u);
    EXPECT_EQ(mField.GetTimeLine()[1].mSecond, 6);
}

TEST_F(LevelFileTest, TreeWaitsForItsLastItem) {
    ASSERT_TRUE(Read(R"(<Init>
  <Tree1 attrib1="1" attrib6="2" attrib7="2"/>
  <Tree1MatrixNum1 attrib1="3"/>
  <Matrix1Item1 attrib1="0" attrib2="0"/>
  <Matrix1Item2 attrib1="1" attrib2="1"/>
</Init>)"));
    EXPECT_EQ(mField.GetTreeCount(), 0);
}

TEST_F(LevelFileTest, SectionsAndNamesMustMatchExactly) {
    ASSERT_TRUE(Read(R"(<Init>
  <1 attrib1="1" attrib2="1"/>
  <levelTime attrib1="50"/>
  <Inner><LevelTime attrib1="60"/></Inner>
</Init>
<TimeLine>
  <TreeNum attrib1="3"/>
  <LevelTime attrib1="70"/>
</TimeLine>
<Other><LevelTime attrib1="80"/></Other>
<Root><Init><LevelTime attrib1="90"/></Init></Root>)"));
    EXPECT_TRUE(mField.GetTimeLine().empty());
    EXPECT_EQ(mField.GetLevelTime(), 0);
    EXPECT_EQ(mField.GetTreeCount(), 0);
}

TEST_F(LevelFileTest, GoalsDayAndNumbers) {
    mField.SetGoal(1, 9);
    mField.SetGoal(4, 9);
    ASSERT_TRUE(Read(R"(<Init><LevelGoal attrib1="-3" attrib2="x" attrib3="5"/>
<Day attrib1="0x0"/></Init>)"));
    EXPECT_EQ(mField.GetGoal(1), -3);
    EXPECT_EQ(mField.GetGoal(2), 0);
    EXPECT_EQ(mField.GetGoal(3), 5);
    EXPECT_EQ(mField.GetGoal(4), 0);
    EXPECT_FALSE(mField.IsDay());

    ASSERT_TRUE(Read(R"(<Init><Day attrib1="-1"/></Init>)"));
    EXPECT_TRUE(mField.IsDay());
}

TEST_F(LevelFileTest, AFileWithoutGoalsKeepsTheFieldsGoals) {
    mField.SetGoal(2, 11);
    mField.ResetLevel();
    ASSERT_TRUE(Read("<Init><LevelTime attrib1=\"1\"/></Init>"));
    EXPECT_EQ(mField.GetGoal(2), 11);
    EXPECT_TRUE(mField.IsDay());
}

TEST_F(LevelFileTest, TextInMemoryReadsTheSame) {
    ASSERT_TRUE(LevelFile::ParseLevelText(kLevel, "mem.xml", mField, mError));
    EXPECT_EQ(mField.GetTreeCount(), 2);
    EXPECT_EQ(mField.GetTimeLine().size(), 3u);
}

} // namespace
} // namespace Vuro
