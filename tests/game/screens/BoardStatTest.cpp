// The statistics screen on the fakes: a won level's result entered in its mode's table and
// saved, a lost level recording nothing, the field's score shown, the birds that stand still
// while the application is inactive, and clicks beside the OK button.

#include "game/screens/BoardFixture.h"

#include "framework/widgets/ButtonWidget.h"
#include "game/rules/Fruit.h"
#include "game/screens/BoardStat.h"

#include <fstream>
#include <iterator>
#include <utility>

namespace Vuro::Test {
namespace {

std::string FileBytes(const char* path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

class BoardStatTest : public BoardFixture {
protected:
    void SetUp() override {
        BoardFixture::SetUp();
        // An apple can be picked only within its cel: six cels of 20 x 20.
        WriteTga("images/appleanim.tga", 120, 20, std::vector<uint32_t>(120 * 20, 0xFF808080));
    }
    // A level of the mode with a goal of `goal` apples: one apple grows and is picked ripe
    // (14 points in story), then birds of three kinds come.
    void PlayAndPick(bool survival, int goal) {
        Enter(survival, 0, LevelText(goal, 600, {{1, 1}, {30, 7}, {30, 8}, {30, 10}}));
        PlayField& field = mBoard->GetField();
        if (!survival) {
            ASSERT_TRUE(StepUntil([&] {
                return !field.GetFruit().empty() &&
                       field.GetFruit().front().GetState() == Fruit::Ripe;
            }));
            const Fruit& fruit = field.GetFruit().front();
            field.MouseDown(fruit.GetX() + 5, fruit.GetY() + 5, 1);
            ASSERT_EQ(field.GetScore(), 14);
        }
        ASSERT_TRUE(StepUntil([&] { return field.GetBirds().size() == 3; }));
    }
    ScoreEntry Row(int index, bool story) const {
        ScoreEntry entry;
        EXPECT_TRUE(mApp->mScoreTables.GetRow(index, entry, story));
        return entry;
    }

    int mState = PlayBoard::kWait;
};

TEST_F(BoardStatTest, AWonLevelEntersTheFieldsScoreInItsModesTableAndSavesIt) {
    for (bool survival : {false, true}) {
        SCOPED_TRACE(survival ? "survival" : "story");
        PlayAndPick(survival, 0);
        PlayerRecord record = Record();
        record.totalScore = 5000;
        SetRecord(record);
        const int rowsBefore = mApp->mScoreTables.Count(!survival);
        BoardStat stat(mBoard, StoreIn(mState));
        EXPECT_EQ(stat.GetStageSum(), mBoard->GetField().GetScore());
        EXPECT_EQ(stat.GetTotalSum(), 5000);
        // The default rows score 0, so the result takes the last place of the full table.
        ASSERT_EQ(mApp->mScoreTables.Count(!survival), rowsBefore == 5 ? 5 : rowsBefore + 1);
        ScoreEntry entry = Row(mApp->mScoreTables.Count(!survival) - 1, !survival);
        EXPECT_EQ(entry.GetName(), "Tester");
        EXPECT_EQ(entry.score, mBoard->GetField().GetScore());
        EXPECT_EQ(entry.level, 1);
        ScoreTables saved;
        ASSERT_TRUE(saved.Load());
        ScoreEntry savedEntry;
        ASSERT_TRUE(saved.GetRow(saved.Count(!survival) - 1, savedEntry, !survival));
        EXPECT_EQ(savedEntry.ToBytes(), entry.ToBytes());
    }
}

TEST_F(BoardStatTest, ALostLevelShowsItsFiguresButLeavesTheTablesAndTheirFileAlone) {
    PlayAndPick(false, 5);
    const std::string fileBefore = FileBytes("data/scores.dat");
    const int rowsBefore = mApp->mScoreTables.Count(true);
    BoardStat stat(mBoard, StoreIn(mState));
    EXPECT_EQ(stat.GetStageSum(), 14);
    EXPECT_EQ(mApp->mScoreTables.Count(true), rowsBefore);
    EXPECT_EQ(FileBytes("data/scores.dat"), fileBefore);
}

TEST_F(BoardStatTest, BirdsFlapOnlyWhileTheApplicationIsActiveAndOnlyOkCloses) {
    PlayAndPick(false, 0);
    auto* stat = new BoardStat(mBoard, StoreIn(mState));
    stat->Resize(0, 0, 640, 480);
    mApp->mWidgetManager->AddWidget(stat);
    mApp->mHasFocus = false;
    for (int tick = 0; tick < 60; ++tick) {
        stat->Update();
    }
    EXPECT_EQ(stat->GetBird(0).GetFrame(), 0);
    mApp->mHasFocus = true;
    for (int tick = 0; tick < 60; ++tick) {
        stat->Update();
    }
    EXPECT_NE(stat->GetBird(0).GetFrame(), 0);
    // Held birds do not fly: they stay beside the bird counters.
    const std::pair<int, int> places[BoardStat::kBirdCount] = {
        {317, 137}, {317, 170}, {317, 205}, {306, 252}};
    for (int i = 0; i < BoardStat::kBirdCount; ++i) {
        EXPECT_EQ(std::make_pair(stat->GetBird(i).GetX(), stat->GetBird(i).GetY()), places[i]) << i;
    }

    SamplesSince();
    Click(100, 400);
    EXPECT_EQ(mState, PlayBoard::kWait);
    EXPECT_TRUE(Attached(stat));
    ButtonWidget* ok = stat->GetOkButton();
    EXPECT_EQ(ok->mX, 260);
    EXPECT_EQ(ok->mY, 365);
    Click(ok->mX, ok->mY);
    EXPECT_EQ(mState, BoardStat::kStatsClosed);
    EXPECT_FALSE(Attached(stat));
    EXPECT_EQ(mApp->mWidgetManager->mFocusWidget, static_cast<Widget*>(mBoard));
    EXPECT_EQ(SamplesSince(), std::vector<uint32_t>{2});
    delete stat;
}

} // namespace
} // namespace Vuro::Test
