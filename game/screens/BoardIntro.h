#pragma once
// The first screen of every run. While the menu loads on the loading thread it shows up to two
// splash pictures and the developer's logo, each fading in and out on white, with the intro
// music; then the game's title with a loading bar that follows the application's task counters.
// Once loading is done the start caption shows, in either phase; its box starts the menu.
//
// What a caller can rely on:
// - LoadResources (main thread, before the intro is added) loads its pictures and font, then
//   asks for the switch to the menu; a missing file ends in the application's fatal Popup.
//   Missing splash pictures are no error: they only lower the splash count.
// - The splash phase lasts 4, 9 or 15 seconds of updates for 0, 1 or 2 splash pictures; a
//   press in the start box is taken only after it and once the menu's loading is done.
// - The intro counts its own updates (from 0 when LoadResources ends) and does nothing while
//   the application is not active.

#include "framework/widgets/Widget.h"

#include <string>
#include <vector>

namespace Vuro {

class Font;
class GameHost;
class Image;
class VuroAppBase;

class BoardIntro : public Widget {
public:
    // The start box, in screen coordinates, inclusive.
    static constexpr int kStartLeft = 206;
    static constexpr int kStartRight = 435;
    static constexpr int kStartTop = 428;
    static constexpr int kStartBottom = 465;
    // Intro seconds at which the splash phase ends, by splash count.
    static constexpr int kPhaseLimits[3] = {3, 8, 14};
    static constexpr int kTicksPerSecond = 100;
    // The splash pictures, shown in this order when both are there.
    static constexpr const char* kFirstSplashFile = "images/splash2";
    static constexpr const char* kSecondSplashFile = "images/splash1";

    // The pictures the intro cannot do without, in loading order.
    static std::vector<std::string> RequiredPictures();

    explicit BoardIntro(GameHost* game);
    ~BoardIntro() override;

    // The cursor stays the application's choice; the flag is not needed here.
    void LoadResources(bool customCursors);

    void Update() override;
    void Draw(Graphics* g) override;
    void MouseMove(int x, int y) override;
    void MouseDown(int x, int y, int clickCount) override;
    void MouseUpButton(int x, int y, int button, int clickCount) override;

    // The splash phase is over and the menu's loading work is done.
    bool Ready() const;

    VuroAppBase* mApp;               // the game's framework application, not owned
    GameHost* mGame;                 // the game application, not owned
    Image* mTitle = nullptr;         // "images/Logo_game_ru"
    Image* mBarEmpty = nullptr;      // "images/introload_empty"
    Image* mBarFull = nullptr;       // "images/introload_full"
    Image* mDeveloperLogo = nullptr; // "images/kelmontrave"
    Image* mFirstSplash = nullptr;   // may be null
    Image* mSecondSplash = nullptr;  // may be null
    Font* mFont = nullptr;           // "images/fonts/MainMenu16Bold.txt"
    int mMouseX = 0;
    int mMouseY = 0;
    bool mStartHover = false; // the mouse is over the start box
    int mFadeAlpha = 0;
    bool mFadingIn = true;
    int mSeconds = 0;       // of the splash phase
    bool mFinished = false; // the splash phase is over
    bool mMusicStarted = false;

private:
    bool LoadedEverything() const;
    int PhaseLimit() const;
    void StepFade();
    void DrawSplash(Graphics* g);
    void DrawTitle(Graphics* g);
    // The start caption, yellow while the mouse is over its box.
    void DrawStartCaption(Graphics* g);
};

} // namespace Vuro
