#pragma once
// A game application on the fakes (GameAppFixture) at its menu, with a player "Tester", that
// enters a play board the way the stage map does and runs it tick by tick on the fake clock.
// Levels are written into the working folder by the test.

#include "game/app/GameAppFixture.h"

#include "framework/graphics/MemoryImage.h"
#include "game/screens/BoardStory.h"
#include "game/screens/BoardSurvive.h"
#include "game/screens/PlayBoard.h"
#include "game/player/PlayerRecord.h"

#include <utility>
#include <vector>

namespace Vuro::Test {

// A level of one apple tree with its box: the goal in apples (0: none), the time in seconds
// and the time line as (second, code) entries.
inline std::string LevelText(int goal, int seconds, const std::vector<std::pair<int, int>>& line) {
    std::string text = "<Init><TreeNum attrib1=\"1\"/>"
                       "<Tree1 attrib1=\"1\" attrib2=\"100\" attrib3=\"150\" attrib4=\"120\" "
                       "attrib5=\"250\" attrib6=\"3\" attrib7=\"2\"/>"
                       "<Tree1MatrixNum1 attrib1=\"1\"/><Matrix1Item1 attrib1=\"9\"/>"
                       "<FruitBoxNum attrib1=\"1\"/><FruitBox1 attrib1=\"1\"/>"
                       "<LevelGoal attrib1=\"" +
                       std::to_string(goal) + "\"/><LevelTime attrib1=\"" +
                       std::to_string(seconds) + "\"/></Init>\n<TimeLine><TimeNum attrib1=\"" +
                       std::to_string(line.size()) + "\"/>";
    for (size_t entry = 0; entry < line.size(); ++entry) {
        text += "<" + std::to_string(entry + 1) + " attrib1=\"" +
                std::to_string(line[entry].first) + "\" attrib2=\"" +
                std::to_string(line[entry].second) + "\"/>";
    }
    return text + "</TimeLine>\n";
}

class BoardFixture : public GameAppFixture {
protected:
    void SetUp() override {
        // On disk, so that the menu, attached again at a level's end, asks for no name.
        WriteProfile("Tester");
        StartToMenu();
        mApp->Music().mLog.clear();
    }

    PlayerRecord Record() const {
        PlayerRecord record;
        mApp->mProfileManager.GetRecord(&record);
        return record;
    }
    void SetRecord(const PlayerRecord& record) { mApp->mProfileManager.SetRecord(record); }
    // The record as saved in the player's file.
    PlayerRecord SavedRecord() const {
        PlayerRecord record;
        EXPECT_TRUE(record.Load("data/Tester.pf"));
        return record;
    }

    // Writes the level into the set of the difficulty, sets the record's level index and
    // difficulty and enters the board from the map.
    PlayBoard* Enter(bool survival, int index, const std::string& level, bool easy = false) {
        WriteText(LevelFile::GetFileName(survival, easy, index + 1), level);
        PlayerRecord record = Record();
        (survival ? record.survivalLevel : record.storyLevel) = index;
        record.easyMode = easy ? 1 : 0;
        SetRecord(record);
        mApp->mPreviousScreenId = GameApp::kScreenMap;
        mApp->mTargetScreenId = survival ? GameApp::kScreenSurvive : GameApp::kScreenStory;
        mApp->SwitchScreen();
        EXPECT_TRUE(StepUntilLoaded());
        mBoard = survival ? static_cast<PlayBoard*>(mApp->mSurviveBoard) : mApp->mStoryBoard;
        mApp->Music().mLog.clear();
        return mBoard;
    }
    // Steps until the board's state is state (or pred holds).
    bool StepUntilState(int state) {
        return StepUntil([&] { return mBoard->GetState() == state; });
    }
    // The samples played since the last call.
    std::vector<uint32_t> SamplesSince() {
        std::vector<uint32_t> ids;
        for (size_t i = mSamplesSeen; i < mSounds->mInstances.size(); ++i) {
            ids.push_back(mSounds->mInstances[i]->mId);
        }
        mSamplesSeen = mSounds->mInstances.size();
        return ids;
    }
    void Click(int x, int y) {
        mApp->mWidgetManager->MouseMove(x, y);
        mApp->mWidgetManager->MouseDown(x, y, 1);
        mApp->mWidgetManager->MouseUp(x, y, 1);
    }
    // The board drawn alone onto an opaque black 640 x 480 picture.
    uint32_t DrawnPixel(int x, int y) {
        MemoryImage image(mApp.get());
        image.Create(640, 480);
        Graphics g(&image);
        g.SetColor(Color(0, 0, 0));
        g.FillRect(0, 0, 640, 480);
        mBoard->Draw(&g);
        return image.GetBits()[y * 640 + x];
    }

    PlayBoard* mBoard = nullptr;
    size_t mSamplesSeen = 0;
};

} // namespace Vuro::Test
