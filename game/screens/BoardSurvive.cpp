#include "game/screens/BoardSurvive.h"

#include "framework/app/VuroAppBase.h"
#include "framework/sound/MusicInterface.h"
#include "game/player/PlayerRecord.h"
#include "game/rules/FruitStateDurations.h"
#include "game/rules/LevelFile.h"
#include "game/rules/PlayFieldHost.h"
#include "game/screens/GameHost.h"
#include "game/screens/StageTables.h"

#include <algorithm>

namespace Vuro {

namespace {

// The range of story levels whose pictures survival level 1..6 may show.
constexpr int kPictureRange[][2] = {{0, 5}, {7, 12}, {14, 19}, {22, 27}, {28, 32}, {36, 43}};

} // namespace

BoardSurvive::BoardSurvive(GameHost* game) : PlayBoard(game) {}

int BoardSurvive::PictureLevel(int s, int storyReached) {
    if (s < 1 || s > kLastLevelIndex + 1) {
        return 1;
    }
    return std::clamp(storyReached + 1, kPictureRange[s - 1][0], kPictureRange[s - 1][1]);
}

void BoardSurvive::LoadLevel(int n) {
    int s = n + 1;
    mField.ResetLevel();
    PlayerRecord record = GetRecord();
    SetEasyMode(record.easyMode != 0); // the fruit's times follow the level set
    if (!ParseLevel(LevelFile::GetFileName(true, record.easyMode != 0, s))) {
        mGame->ShowError("Failed to load game level.", true);
        return;
    }
    mField.SetSurvival(true);
    mField.SetLevel(s);
    mField.SetCustomCursors(mGame->HasCustomCursors());
    if (!mImages.LoadAll(mGame)) {
        mGame->ShowError("Failed to initializa game level.", true);
        return;
    }
    if (LoadLevelScenery(PictureLevel(s, record.storyLevelMax))) {
        FinishLevelLoading();
    }
}

void BoardSurvive::AdvanceProgress(PlayerRecord& record) {
    record.survivalLevelMax = std::min(record.survivalLevelMax, kLastLevelIndex);
    record.survivalLevel = std::min(record.survivalLevel, record.survivalLevelMax);
    // Survival level index k + 1 opens once story stage k + 1 is done.
    bool nextOpen =
        record.survivalLevel < kLastLevelIndex && record.stageUnlocked[record.survivalLevel] != 0;
    if (record.survivalLevel < record.survivalLevelMax) {
        // A replay.
        if (nextOpen) {
            ++record.survivalLevel;
        }
        mGame->SetMapMessage(MapMessage::kNone);
    } else if (record.survivalLevel == kLastLevelIndex) {
        mGame->SetMapMode(GameHost::kMapModeCompleted);
        mGame->SetMapMessage(MapMessage::kSurvivalWaiting);
    } else if (nextOpen) {
        ++record.survivalLevel;
        record.survivalLevelMax = std::min(record.survivalLevelMax + 1, kLastLevelIndex);
        mGame->SetMapMessage(MapMessage::kSurvivalAdvanced);
    } else {
        mGame->SetMapMessage(MapMessage::kSurvivalWaiting);
    }
}

void BoardSurvive::LeaveBoard() {
    SetState(kWait);
    mField.ResetLevel();
    mApp->mMusicInterface->StopAllMusic();
    CustomCursor(CursorId::kArrow);
    // The map mode stays: the menu shows the credits after the last level.
    mGame->RequestSwitch(
        {GameHost::kScreenSurvive, mGame->GetMapMode() == GameHost::kMapModeCompleted
                                       ? GameHost::kScreenMenuTitres
                                       : GameHost::kScreenMenuMap});
}

} // namespace Vuro
