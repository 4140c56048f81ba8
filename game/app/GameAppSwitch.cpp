// The first two phases of a screen switch: the screens' requests, the begin function of each
// target (main thread), which builds the new screens, sets the task counters and starts the
// loading thread, and the loading work of each target (loading thread).
//
// Task counters (total / done) a begin function sets; the loading work then counts:
//   1 menu            16 / 0  the menu's loader counts 16 (nothing when coming back from the map)
//   2, 3 a level      10 / 0  the image set counts 9: the bar stops at 9 of 10 until the finish
//   5 map, 6 titres    0 / 0  nothing
//   7, 8 after level  10 / 0  the menu's loader counts 16

#include "game/app/GameApp.h"

#include "framework/sound/MusicInterface.h"
#include "framework/widgets/WidgetManager.h"
#include "game/screens/BoardLoading.h"
#include "game/screens/BoardMap.h"
#include "game/screens/BoardMenu.h"
#include "game/screens/BoardStory.h"
#include "game/screens/BoardSurvive.h"
#include "game/screens/BoardTitres.h"

namespace Vuro {

namespace {
constexpr int kKeepTaskCounters = -1;
constexpr int kMenuTasks = 16;
constexpr int kLevelTasks = 10;
} // namespace

void GameApp::RequestSwitch(const ScreenSwitch& request) {
    if (request.mapMode.has_value()) {
        mMapMode = *request.mapMode;
    }
    mPreviousScreenId = request.from;
    mTargetScreenId = request.to;
    SwitchScreen();
}

void GameApp::RequestQuit() {
    mPreviousScreenId = kScreenMenu;
    mTargetScreenId = kScreenMenu;
    Shutdown();
}

void GameApp::SwitchScreen() {
    switch (mTargetScreenId) {
    case kScreenMenu:
        BeginMenuScreen();
        break;
    case kScreenStory:
        BeginStoryScreen();
        break;
    case kScreenSurvive:
        BeginSurviveScreen();
        break;
    case kScreenMap:
        BeginMapScreen();
        break;
    case kScreenTitres:
        BeginTitresScreen();
        break;
    case kScreenMenuMap:
        BeginMenuMapScreen();
        break;
    case kScreenMenuTitres:
        BeginMenuTitresScreen();
        break;
    default:
        break;
    }
}

void GameApp::StartLoadingWork(int taskTotal) {
    if (taskTotal != kKeepTaskCounters) {
        mNumLoadingThreadTasks = taskTotal;
        mCompletedLoadingThreadTasks = 0;
    }
    mLoadingThreadStarted = false;
    mLoadingThreadCompleted = false;
    mLoaded = false;
    // A demo records every loading work's completion: playback completes this one at its own
    // recorded tick, not at the first one's, so later screens do not come in early and the run
    // keeps to the recording.
    mDemoLoadingComplete = false;
    StartLoadingThread();
}

void GameApp::CreateMenu() {
    if (mMenu != nullptr) {
        Drop(mReplacedMenu);
        mReplacedMenu = mMenu;
    }
    mMenu = MakeBoard<BoardMenu>(this);
}

void GameApp::ShowLoadingScreen() {
    mLoadingScreen = MakeBoard<BoardLoading>(this, 0);
    mLoadingScreen->LoadImages();
    ShowScreen(mLoadingScreen);
}

void GameApp::ShowScreen(Widget* screen) {
    mWidgetManager->AddWidget(screen);
    mWidgetManager->SetFocus(screen);
    mCurrentScreen = screen;
}

void GameApp::BeginMenuScreen() {
    // Back from the map the menu is still there, loaded.
    if (mPreviousScreenId == kScreenMap && mMenu != nullptr) {
        StartLoadingWork(kKeepTaskCounters);
        return;
    }
    if (mPreviousScreenId == kScreenStory || mPreviousScreenId == kScreenSurvive) {
        ShowLoadingScreen();
    }
    CreateMenu();
    StartLoadingWork(kMenuTasks);
}

void GameApp::BeginStoryScreen() {
    ShowLoadingScreen();
    mStoryBoard = MakeBoard<BoardStory>(this);
    StartLoadingWork(kLevelTasks);
    mMusicInterface->StopAllMusic();
}

void GameApp::BeginSurviveScreen() {
    ShowLoadingScreen();
    mSurviveBoard = MakeBoard<BoardSurvive>(this);
    StartLoadingWork(kLevelTasks);
    mMusicInterface->StopAllMusic();
}

void GameApp::BeginMapScreen() {
    mMap = MakeBoard<BoardMap>(this, mMenu);
    StartLoadingWork(0);
}

void GameApp::BeginTitresScreen() {
    mTitres = MakeBoard<BoardTitres>(this, mMenu);
    StartLoadingWork(0);
}

void GameApp::BeginMenuMapScreen() {
    ShowLoadingScreen();
    CreateMenu();
    mMap = MakeBoard<BoardMap>(this, mMenu);
    StartLoadingWork(kLevelTasks);
}

void GameApp::BeginMenuTitresScreen() {
    ShowLoadingScreen();
    CreateMenu();
    mTitres = MakeBoard<BoardTitres>(this, mMenu);
    StartLoadingWork(kLevelTasks);
}

void GameApp::RunLoadingWork() {
    PlayerRecord record;
    switch (mTargetScreenId) {
    case kScreenMenu:
        if (mPreviousScreenId != kScreenMap) {
            mMenu->LoadResources();
        }
        break;
    case kScreenStory:
        mStoryBoard->LoadLevel(mProfileManager.GetRecord(&record)->storyLevel);
        break;
    case kScreenSurvive:
        mSurviveBoard->LoadLevel(mProfileManager.GetRecord(&record)->survivalLevel);
        break;
    case kScreenMap:
        mMap->Setup(mMapMode != kMapModeSurvival);
        break;
    case kScreenTitres:
        mTitres->Restart(true);
        break;
    case kScreenMenuMap:
        if (mPreviousScreenId != kScreenMap) {
            mMenu->LoadResources();
        }
        mMap->Setup(mMapMode != kMapModeSurvival);
        break;
    case kScreenMenuTitres:
        if (mPreviousScreenId != kScreenTitres) {
            mMenu->LoadResources();
        }
        mTitres->Restart(false);
        break;
    default:
        break;
    }
}

} // namespace Vuro
