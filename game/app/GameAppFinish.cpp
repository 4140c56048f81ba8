// The last phase of a screen switch (main thread, once the loading work is done): the new
// screens are attached and focused, the old ones dropped, and the music of the new screen
// started. Finishes into the menu first wait for the menu's loading work.
//
// When the credits end and a new menu is attached, the credits and the menu they were built on
// are dropped, so neither stays attached beneath the new menu, never deleted.

#include "game/app/GameApp.h"

#include "framework/sound/MusicInterface.h"
#include "framework/util/MersenneTwister.h"
#include "framework/widgets/WidgetManager.h"
#include "game/rules/GameSounds.h"
#include "game/screens/BoardIntro.h"
#include "game/screens/BoardLoading.h"
#include "game/screens/BoardMap.h"
#include "game/screens/BoardMenu.h"
#include "game/screens/BoardStory.h"
#include "game/screens/BoardSurvive.h"
#include "game/screens/BoardTitres.h"
#include "platform/Clock.h"

namespace Vuro {

namespace {
constexpr int kFinishedLevelTasks = 10;
} // namespace

void GameApp::OnLoadingDone() {
    VuroAppBase::OnLoadingDone();
    switch (mTargetScreenId) {
    case kScreenMenu:
        // From the intro the player starts the menu with a click.
        if (mPreviousScreenId != kScreenIntro) {
            FinishMenuScreen();
        }
        break;
    case kScreenStory:
        FinishStoryScreen();
        break;
    case kScreenSurvive:
        FinishSurviveScreen();
        break;
    case kScreenMap:
        FinishMapScreen();
        break;
    case kScreenTitres:
        FinishTitresScreen();
        break;
    case kScreenMenuMap:
        FinishMenuMapScreen();
        break;
    case kScreenMenuTitres:
        FinishMenuTitresScreen();
        break;
    default:
        break;
    }
}

bool GameApp::WaitForLoadingTasks() {
    // Through the application's clock, so a test's clock decides how long this takes.
    for (int attempt = 0; attempt < kFinishWaitTries; ++attempt) {
        Platform::GetClock().SleepMs(kFinishWaitMs);
        if (mCompletedLoadingThreadTasks >= mNumLoadingThreadTasks) {
            return true;
        }
    }
    Popup("Failed to load Menu data.\n"
          "Application will be trminated.\n"
          "Please donwload & install game again.");
    Shutdown();
    return false;
}

void GameApp::DropWidget(Widget* screen) {
    if (screen == nullptr) {
        return;
    }
    if (mCurrentScreen == screen) {
        mCurrentScreen = nullptr;
    }
    mWidgetManager->RemoveWidget(screen);
    QueueWidgetDeletion(screen);
}

void GameApp::DropReplacedMenu() {
    Drop(mReplacedMenu);
}

void GameApp::PlayMenuMusic(bool stopOthers) {
    if (stopOthers) {
        mMusicInterface->StopAllMusic();
    }
    mMusicInterface->PlayMusic(SongId::kMenu, 0, false);
}

void GameApp::PlayLevelMusic() {
    mMusicInterface->StopAllMusic();
    mMusicInterface->PlayMusic(SongId::kFirstLevel + Rand() % SongId::kLevelCount, 0, false);
}

bool GameApp::MenuLoadingFinished() {
    if (!WaitForLoadingTasks()) {
        return false;
    }
    mNumLoadingThreadTasks = 0;
    mCompletedLoadingThreadTasks = 0;
    return !ShutdownAsked() && mMenu != nullptr;
}

void GameApp::DropLeftBoard(bool setMapMode) {
    if (mPreviousScreenId == kScreenStory) {
        Drop(mStoryBoard);
        if (setMapMode) {
            mMapMode = kMapModeStory;
        }
        Drop(mLoadingScreen);
    } else if (mPreviousScreenId == kScreenSurvive) {
        Drop(mSurviveBoard);
        if (setMapMode) {
            mMapMode = kMapModeSurvival;
        }
        Drop(mLoadingScreen);
    }
}

void GameApp::FinishMenuScreen() {
    if (mMenu != nullptr) {
        mMenu->mBusy = false;
    }
    // Back from the map: nothing was loaded and the menu is attached below the map.
    if (mPreviousScreenId == kScreenMap) {
        Drop(mMap);
        mWidgetManager->SetFocus(mMenu);
        mCurrentScreen = mMenu;
        return;
    }
    if (!MenuLoadingFinished()) {
        return;
    }
    mWidgetManager->AddWidget(mMenu);
    if (mMapMode == kMapModeCompleted) {
        mTargetScreenId = kScreenTitres;
        mPreviousScreenId = kScreenMenu;
        SwitchScreen();
    } else {
        mWidgetManager->SetFocus(mMenu);
        mCurrentScreen = mMenu;
    }
    if (mPreviousScreenId == kScreenIntro) {
        Drop(mIntro);
    } else if (mPreviousScreenId == kScreenTitres) {
        Drop(mTitres);
        DropReplacedMenu();
    } else {
        DropLeftBoard(true);
    }
    if (!mMusicInterface->IsPlaying(SongId::kMenu)) {
        PlayMenuMusic(true);
    }
}

void GameApp::FinishMenuMapScreen() {
    if (!MenuLoadingFinished()) {
        return;
    }
    ShowScreen(mMenu);
    ShowScreen(mMap);
    // The map mode stays as the board set it.
    DropLeftBoard(false);
    DropReplacedMenu();
    if (!mMusicInterface->IsPlaying(SongId::kMenu)) {
        PlayMenuMusic(false);
    }
}

void GameApp::FinishMenuTitresScreen() {
    if (!MenuLoadingFinished()) {
        return;
    }
    ShowScreen(mMenu);
    ShowScreen(mTitres);
    DropLeftBoard(true);
    DropReplacedMenu();
    PlayMenuMusic(true);
}

void GameApp::FinishMapScreen() {
    if (ShutdownAsked()) {
        return;
    }
    mNumLoadingThreadTasks = kFinishedLevelTasks;
    mCompletedLoadingThreadTasks = 0;
    ShowScreen(mMap);
    // The prologue's button leads to the map; from the menu the menu stays below the map.
    if (mPreviousScreenId == kScreenTitres) {
        Drop(mTitres);
    }
}

void GameApp::FinishTitresScreen() {
    if (ShutdownAsked()) {
        return;
    }
    mNumLoadingThreadTasks = kFinishedLevelTasks;
    mCompletedLoadingThreadTasks = 0;
    ShowScreen(mTitres);
}

void GameApp::FinishLevelScreen(Widget* board) {
    if (ShutdownAsked()) {
        return;
    }
    mNumLoadingThreadTasks = kFinishedLevelTasks;
    mCompletedLoadingThreadTasks = 0;
    ShowScreen(board);
    Drop(mLoadingScreen);
    Drop(mMap);
    Drop(mMenu);
    PlayLevelMusic();
}

void GameApp::FinishStoryScreen() {
    FinishLevelScreen(mStoryBoard);
}

void GameApp::FinishSurviveScreen() {
    FinishLevelScreen(mSurviveBoard);
}

} // namespace Vuro
