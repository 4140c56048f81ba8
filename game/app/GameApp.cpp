// The game application's construction, start-up, focus rules, exit action, error box and
// destruction, and the global pointer to it.

#include "game/app/GameApp.h"

#include "framework/display/DDImage.h"
#include "framework/sound/MusicInterface.h"
#include "framework/sound/SoundManager.h"
#include "framework/widgets/WidgetManager.h"
#include "game/rules/FieldGeometry.h"
#include "game/rules/GameSounds.h"
#include "game/screens/BoardIntro.h"
#include "game/screens/BoardLoading.h"
#include "game/screens/BoardMap.h"
#include "game/screens/BoardMenu.h"
#include "game/screens/BoardStory.h"
#include "game/screens/BoardSurvive.h"
#include "game/screens/BoardTitres.h"
#include "platform/FileSystem.h"
#include "platform/Process.h"
#include "platform/Window.h"

#include <cstdio>

namespace Vuro {

namespace {

GameApp* gGameApp = nullptr;

constexpr const char* kMenuCursorFile = "images/menu_cursor";
// Every cursor but "none" shows the menu cursor, in this order.
constexpr int kMenuCursorNumbers[] = {0, 2, 1, 4, 3};
constexpr const char* kPlayLinkFile = "play.url";
constexpr const char* kLauncherFile = "fscommand\\rovix.exe";

} // namespace

GameApp* GetGameApp() {
    return gGameApp;
}

void SetGameApp(GameApp* app) {
    gGameApp = app;
}

GameApp::GameApp() {
    mProdName = "Quandrellis ";
    mTitle = mProdName;
    mProductVersion = "1.2";
    mRegKey = "Kelmontrave\\Quandrellis";
    mWidth = kFieldWidth;
    mHeight = kFieldHeight;
    mMusicVolume = 0.75;
    mSfxVolume = 0.7;
    mIsWindowed = true;
    mNumLoadingThreadTasks = 0;
    mCompletedLoadingThreadTasks = 0;
    mAutoEnable3D = true;
    mTest3D = true;
    UseCustomCursors(true);
    // Profiles and score tables: "data\..." in the game's paths, under the user's data folder.
    mUserDataFolder = "data";
}

GameApp::~GameApp() {
    // The loading work, which uses the screens below, has ended: deleting the game waits for it.
    Drop(mIntro);
    Drop(mMenu);
    Drop(mStoryBoard);
    Drop(mSurviveBoard);
    Drop(mLoadingScreen);
    Drop(mMap);
    Drop(mTitres);
    Drop(mReplacedMenu);
    mCurrentScreen = nullptr;
    // The screens go while the game's part of the application still stands.
    mStepDepth = 0;
    DeleteQueuedWidgets();
    // No cursor may keep the picture that goes now.
    for (int number = 0; number < kCursorImageCount; ++number) {
        if (mCursorImages[number] == mCursorImage) {
            SetCursorImage(number, nullptr);
        }
    }
    delete mCursorImage;
    mCursorImage = nullptr;
    if (mSoundManager != nullptr) {
        mSoundManager->ReleaseSounds();
    }
    if (gGameApp == this) {
        SetGameApp(nullptr);
    }
}

void GameApp::InitGame() {
    mIsWindowed = true;
    Init(false);
    if (mShutdown) {
        return;
    }
    SetGameApp(this);
    if (!LoadHelpTexts()) {
        Popup("There was an error loading the file: local/1.xml");
    }
    mCustomCursors = mCustomCursorsEnabled;
    mCursorImage = GetImage(kMenuCursorFile);
    if (mCursorImage == nullptr) {
        Popup(std::string("There was an error loading the file: ") + kMenuCursorFile);
    }
    for (int number : kMenuCursorNumbers) {
        SetCursorImage(number, mCursorImage);
    }
    for (const GameSong& song : kStartMusic) {
        (void)mMusicInterface->LoadMusic(song.mId, song.mFile);
    }
    (void)mSoundManager->LoadSoundAt(kClickSound.mId, kClickSound.mFile);
    StartIntro();
}

void GameApp::StartIntro() {
    // Full screen unless the setting asks for a window and the framework left one.
    int screenMode = 0;
    if (!(ReadRegInt("ScreenMode", screenMode) && screenMode == 0 && mIsWindowed)) {
        SetWindowedMode(false);
    }
    WriteSettings();
    (void)InitScores();
    mIntro = MakeBoard<BoardIntro>(this);
    mNumLoadingThreadTasks = 14;
    mCompletedLoadingThreadTasks = 0;
    // On success the intro's loader begins the switch to the menu.
    mIntro->LoadResources(mCustomCursors);
    ShowScreen(mIntro);
}

void GameApp::Popup(const std::string& text) {
    ShowError(text, true);
}

void GameApp::ShowError(const std::string& text, bool fatal) {
    Platform::WindowSystem& windows = Platform::GetWindowSystem();
    (void)windows.ShowMessageBox(text, "Error", Platform::kMbIconError);
    if (fatal) {
        (void)windows.ShowMessageBox("Please reinstall or download game again", "Information",
                                     Platform::kMbOk);
        DoExit(1);
    }
}

void GameApp::Shutdown() {
    if (FILE* link = Platform::OpenFile(kPlayLinkFile, "r")) {
        std::fclose(link);
        (void)OpenURL(kPlayLinkFile, false);
    }
    // A launcher shipped beside the game runs once the game ends; one that cannot be started
    // is left alone.
    if (FILE* launcher = Platform::OpenFile(kLauncherFile, "r")) {
        std::fclose(launcher);
        (void)Platform::StartProgram(kLauncherFile, {});
    }
    VuroAppBase::Shutdown();
}

void GameApp::GotFocus() {
    if (mCurrentScreen != nullptr) {
        mCurrentScreen->GotFocus();
    }
    // The play boards resume their own music.
    bool onBoard = mCurrentScreen != nullptr &&
                   (mCurrentScreen == mStoryBoard || mCurrentScreen == mSurviveBoard);
    if (!onBoard && mMusicInterface != nullptr) {
        mMusicInterface->ResumeAllMusic();
    }
}

void GameApp::LostFocus() {
    if (mCurrentScreen != nullptr) {
        mCurrentScreen->LostFocus();
    }
    if (mMusicInterface != nullptr) {
        mMusicInterface->PauseAllMusic();
    }
}

bool GameApp::DeveloperKeyDown(int) {
    return false;
}

const std::string& GameApp::GetHelpText(int number) const {
    static const std::string kNone;
    return number >= 1 && number <= kHelpTextCount ? mHelpTexts[number - 1] : kNone;
}

} // namespace Vuro
