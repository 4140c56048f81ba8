#pragma once
// The game's application: the product identity and framework defaults the game wants, the help
// texts, cursor, music and sounds every screen uses, the score tables, the first screen, the
// fatal error box, music that follows the window's focus, the exit actions, and every switch
// between the game's screens with the loading work behind it. It owns every screen, the profile
// manager and the score tables.
//
// Life: construct -> InitGame (the framework's Init, texts, cursor, music, intro shown, the
// menu loading) -> Start (the main loop) -> Shutdown -> destroy.
//
// Screen switches run in three phases (GameAppSwitch.cpp, GameAppFinish.cpp): a screen asks for
// one (RequestSwitch), which writes mPreviousScreenId and mTargetScreenId and calls SwitchScreen,
// whose begin function builds the new screens and starts the loading thread; RunLoadingWork loads
// their data on that thread and counts tasks done; OnLoadingDone (main thread) attaches them, drops
// the old screens and starts the music. New screens are not attached before their finish.
//
// What a caller can rely on:
// - Every Popup is fatal: an "Error" box with the text, an "Information" box, and the process
//   ends with status 1, so a failure is never reported as success.
// - A dropped screen leaves the widget tree at once and is deleted at the next safe-delete
//   pass, so a screen may ask for the switch that drops it from inside its own handler.
// - The loading thread touches only the new screens' data, the task counters and the sound
//   manager and music; every other field belongs to the main thread.
//
// The screens see it only as their GameHost.
//
// Implementation files: GameApp.cpp (construction, start-up, focus, exit, errors, globals),
// GameAppResources.cpp (help texts, sounds, scores), GameAppSwitch.cpp (the screens' requests,
// begin functions and the loading work), GameAppFinish.cpp (finish functions, the wait, dropping
// screens).

#include "framework/app/VuroAppBase.h"
#include "game/player/ProfileManager.h"
#include "game/player/ScoreTables.h"
#include "game/rules/RunState.h"
#include "game/screens/GameHost.h"

#include <string>

namespace Vuro {

class BoardIntro;
class BoardLoading;
class BoardMap;
class BoardMenu;
class BoardStory;
class BoardSurvive;
class BoardTitres;
class Image;
class Widget;

// Screen ids (the values of mPreviousScreenId and mTargetScreenId) and map modes are the
// GameHost's.
class GameApp : public VuroAppBase, public GameHost {
public:
    static constexpr int kHelpTextCount = 28;

    // The finish of a switch to the menu waits this often this long for the loading work.
    static constexpr int kFinishWaitTries = 6;
    static constexpr uint32_t kFinishWaitMs = 500;

    GameApp();
    ~GameApp() override;

    // ---- [Overrides, in the framework's slot order] ----
    void OnLoadingDone() override;
    void RunLoadingWork() override;
    void Popup(const std::string& text) override;
    // Opens "play.url" beside the program when it exists, starts the launcher
    // "fscommand\rovix.exe" beside it when that exists, then shuts the framework down. Both
    // exit actions run on every call.
    void Shutdown() override;
    // Focus to the current screen; music resumes unless a play board is current.
    void GotFocus() override;
    void LostFocus() override;
    // The framework's developer keys are off in the game.
    bool DeveloperKeyDown(int key) override;

    // ---- [The game's own] ----
    // Start-up in place of Init: the framework, the help texts, the cursor, the menu and intro
    // music, the click sound, then the first screen.
    virtual void InitGame();

    // Reads Text1..Text28 of section HelpText in local/1.xml; false only when the file cannot be
    // opened. Texts whose element is missing stay empty.
    bool LoadHelpTexts();
    // The screen mode from the "ScreenMode" setting, the score tables, and the intro.
    void StartIntro();
    // A sound that cannot be loaded raises the shut-down request and ends the program; a quit
    // asked meanwhile stops the loading before the next file.
    void LoadSounds() override;
    // Loads the score tables or, failing that, writes the default ones.
    bool InitScores();
    void ShowError(const std::string& text, bool fatal) override;
    const std::string& GetHelpText(int number) const override;

    // ---- [What the screens ask: GameHost] ----
    VuroAppBase& App() override { return *this; }
    ProfileManager& GetProfileManager() override { return mProfileManager; }
    ScoreTables& GetScoreTables() override { return mScoreTables; }
    RunState& GetRunState() override { return mRunState; }
    bool HasCustomCursors() const override { return mCustomCursors; }
    void SetCustomCursors(bool on) override { mCustomCursors = on; }
    Image* GetMenuCursor() const override { return mCursorImage; }
    int GetMapMode() const override { return mMapMode; }
    void SetMapMode(int mode) override { mMapMode = mode; }
    int GetMapMessage() const override { return mMapMessage; }
    void SetMapMessage(int message) override { mMapMessage = message; }
    // Sets the map mode when the request names one, writes the screen ids, then SwitchScreen.
    void RequestSwitch(const ScreenSwitch& request) override;
    // Both screen ids name the menu; then Shutdown.
    void RequestQuit() override;
    const Widget* GetCurrentScreen() const override { return mCurrentScreen; }

    // ---- [Screen switching] ----
    // Begins the switch to mTargetScreenId; ids outside 1..8 (and 4) do nothing.
    void SwitchScreen();
    void BeginMenuScreen();
    void BeginStoryScreen();
    void BeginSurviveScreen();
    void BeginMapScreen();
    void BeginTitresScreen();
    void BeginMenuMapScreen();
    void BeginMenuTitresScreen();
    // The intro calls FinishMenuScreen itself when the player starts the menu.
    void FinishMenuScreen() override;
    void FinishStoryScreen();
    void FinishSurviveScreen();
    void FinishMapScreen();
    void FinishTitresScreen();
    void FinishMenuMapScreen();
    void FinishMenuTitresScreen();

    // ---- [Fields] ----
    bool mSoundsLoaded = false;             // LoadSounds loaded everything; later calls do nothing
    std::string mHelpTexts[kHelpTextCount]; // Text1 at index 0
    ProfileManager mProfileManager;
    ScoreTables mScoreTables;
    RunState mRunState; // what the play boards' fields carry across levels and boards
    int mPreviousScreenId = kScreenIntro;
    int mTargetScreenId = kScreenIntro;
    int mMapMode = kMapModeSurvival;
    int mMapMessage = 0;              // for the stage map: a MapMessage (StageTables.h)
    Image* mCursorImage = nullptr;    // images/menu_cursor, owned
    bool mCustomCursors = false;      // the framework's custom-cursor choice at start-up
    Widget* mCurrentScreen = nullptr; // the screen with the focus (one of those below)
    BoardIntro* mIntro = nullptr;
    BoardMenu* mMenu = nullptr;
    BoardStory* mStoryBoard = nullptr;
    BoardSurvive* mSurviveBoard = nullptr;
    BoardLoading* mLoadingScreen = nullptr;
    BoardMap* mMap = nullptr;
    BoardTitres* mTitres = nullptr;
    // A menu being replaced by a new one while screens built on it (the credits) still show;
    // dropped with them when the new menu is attached.
    BoardMenu* mReplacedMenu = nullptr;

private:
    // Sets the task counters to taskTotal / 0 (a negative total keeps them), clears the loading
    // flags and starts the loading thread for the switch.
    void StartLoadingWork(int taskTotal);
    // A new menu; one that exists already waits in mReplacedMenu for the finish.
    void CreateMenu();
    void ShowLoadingScreen();
    // A new screen the size of the application's.
    template <typename Board, typename... Args> Board* MakeBoard(Args... args) {
        auto* board = new Board(args...);
        board->Resize(0, 0, mWidth, mHeight);
        return board;
    }
    // The finish's wait for the loading work; false (after the fatal box) on time-out.
    bool WaitForLoadingTasks();
    // The wait, then the counters cleared; false when the finish must stop there (time-out,
    // shut-down asked, no menu).
    bool MenuLoadingFinished();
    // Drops the play board the switch comes from and the loading screen; with setMapMode the
    // map mode becomes that board's mode.
    void DropLeftBoard(bool setMapMode);
    // Out of the widget tree now, deleted at the next safe-delete pass; the pointer is cleared.
    template <typename Board> void Drop(Board*& screen) {
        DropWidget(screen);
        screen = nullptr;
    }
    void DropWidget(Widget* screen);
    void DropReplacedMenu();
    // Adds the screen, gives it the focus and makes it the current screen.
    void ShowScreen(Widget* screen);
    bool ShutdownAsked() const { return mShutdown || mShutdownRequested; }
    void PlayMenuMusic(bool stopOthers);
    void PlayLevelMusic();
    void FinishLevelScreen(Widget* board);
};

GameApp* GetGameApp();
void SetGameApp(GameApp* app);

} // namespace Vuro
