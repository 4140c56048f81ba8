#include "game/screens/BoardStory.h"

#include "framework/app/VuroAppBase.h"
#include "framework/sound/MusicInterface.h"
#include "game/player/PlayerRecord.h"
#include "game/rules/FruitStateDurations.h"
#include "game/rules/LevelFile.h"
#include "game/rules/PlayFieldHost.h"
#include "game/screens/GameHost.h"

#include <algorithm>

namespace Vuro {

bool gDialogPause = false;

namespace {

constexpr int kDoneStages = kStageCount - 1; // stages with a done byte; the sixth ends the game

// Of the first stage whose done byte is clear (0..4; 5 once all five are done): the index of
// its last level, and the furthest index storyReached may take, just past it.
int LevelBound(int stage) {
    return StageLastIndex(stage + 1);
}
int ReachBound(int stage) {
    return LevelBound(stage) + 1;
}

int FirstOpenStage(const PlayerRecord& record) {
    for (int stage = 0; stage < kDoneStages; ++stage) {
        if (record.stageUnlocked[stage] == 0) {
            return stage;
        }
    }
    return kDoneStages;
}

} // namespace

BoardStory::BoardStory(GameHost* game) : PlayBoard(game) {}

bool BoardStory::ReadLevel(int number) {
    bool easy = GetRecord().easyMode != 0;
    SetEasyMode(easy); // the fruit's times follow the level set
    if (!ParseLevel(LevelFile::GetFileName(false, easy, number))) {
        mGame->ShowError("Failed to load game level.", true);
        return false;
    }
    mField.SetLevel(number);
    mField.SetCustomCursors(mGame->HasCustomCursors());
    mField.SetSurvival(false);
    return true;
}

void BoardStory::LoadLevel(int n) {
    gDialogPause = false;
    mField.ResetLevel();
    if (!ReadLevel(n + 1)) {
        return;
    }
    if (!mImages.LoadAll(mGame)) {
        mGame->ShowError("Failed to initialize game level.", true);
        return;
    }
    if (LoadLevelScenery(n + 1)) {
        FinishLevelLoading();
    }
}

void BoardStory::LoadNextLevel() {
    int number = std::min(GetRecord().storyLevel + 1, kLastLevelIndex + 1);
    mField.ResetLevel();
    ResetBoard();
    if (!ReadLevel(number)) {
        return;
    }
    LoadLevelScenery(number);
    SetState(kPlay);
    PlayLevelSong();
}

bool BoardStory::AdvanceStoryProgress(PlayerRecord& record) {
    int stage = FirstOpenStage(record);
    if (record.storyLevelMax >= ReachBound(stage)) {
        return true;
    }
    ++record.storyLevelMax;
    if (record.storyLevel != LevelBound(stage)) {
        ++record.storyLevel;
    }
    return false;
}

void BoardStory::AdvanceProgress(PlayerRecord& record) {
    record.storyLevelMax = std::min(record.storyLevelMax, kLastLevelIndex);
    if (record.storyLevel >= record.storyLevelMax) {
        // At the frontier.
        record.storyLevel = record.storyLevelMax;
        if (record.storyLevel == kLastLevelIndex) {
            mGame->SetMapMode(GameHost::kMapModeCompleted);
        } else {
            (void)AdvanceStoryProgress(record);
        }
    } else {
        // An earlier level replayed.
        record.storyLevel = std::min(record.storyLevel + 1, LevelBound(FirstOpenStage(record)));
    }
}

void BoardStory::CheckStageEnd() {
    if (!mField.IsGoalReached()) {
        SetState(kLeave);
        return;
    }
    PlayerRecord record = GetRecord();
    // storyReached just past the end of stage 1..5.
    for (int stage = 0; stage < kDoneStages; ++stage) {
        if (record.storyLevelMax == ReachBound(stage)) {
            SetState(record.stageUnlocked[stage] != 0 ? kNextLevel : kLeave);
            return;
        }
    }
    SetState(kNextLevel);
}

void BoardStory::OnLeave() {
    mApp->mMusicInterface->StopAllMusic();
    SetState(kWait);
    mField.ResetLevel();
    CustomCursor(CursorId::kArrow);
    // After the last level: the credits over a new menu, and the map mode starts again.
    if (mGame->GetMapMode() == GameHost::kMapModeCompleted) {
        mGame->RequestSwitch(
            {GameHost::kScreenStory, GameHost::kScreenMenuTitres, GameHost::kMapModeSurvival});
    } else {
        mGame->RequestSwitch({GameHost::kScreenStory, GameHost::kScreenMenuMap});
    }
}

void BoardStory::OnNextLevel() {
    SetState(kWait);
    LoadNextLevel();
}

void BoardStory::OnStatsClosed() {
    if (mGame->GetMapMode() == GameHost::kMapModeCompleted) {
        SetState(kLeave);
    } else {
        CheckStageEnd();
    }
}

void BoardStory::OnQuit() {
    mApp->mMusicInterface->StopAllMusic();
    SetState(kWait);
    gDialogPause = false;
    mField.ResetLevel();
    mGame->RequestSwitch({GameHost::kScreenStory, GameHost::kScreenMenuMap});
    CustomCursor(CursorId::kArrow);
}

} // namespace Vuro
