#pragma once
// The main menu: the garden with a drifting sky and a sun, six signpost buttons, the current
// player's name under the profile icon, an optional publisher logo that opens "website.url",
// and a notice line. From it the player starts the story or the survival game, opens the
// options, the score board, the profile dialog, the scrolling information page, or the exit
// question. It owns the menu art set, which the stage map, the credits, the score board and
// the dialogs draw through their menu pointer.
//
// What a caller can rely on:
// - The art set and texts load on the loading thread (LoadResources) before the menu is
//   attached; attaching loads the profile list and opens the profile dialog when there is none.
// - The state word (mState) is written by the screens and dialogs the menu opens and acted on
//   in the menu's next update; values it does not know stay until a writer changes them.
// - While busy the menu ignores the mouse. Busy ends with what set it: a switch that finished
//   into the menu (or never began), the dialog it opened being closed in any way, the score
//   board closed, the information page ended; a switch that did not happen or a dialog closed
//   without its answer never leaves the menu deaf for good.
// - The information page counts its own ticks from its opening and leaves the application's
//   update count, the clock demos are recorded against, alone.

#include "framework/widgets/Widget.h"
#include "game/rules/Drifter.h"
#include "game/rules/FieldGeometry.h"
#include "game/screens/MenuArtSet.h"

#include <string>

namespace Vuro {

class BoardScores;
class GameHost;
class ProfileManager;
class VuroAppBase;

class BoardMenu : public Widget {
public:
    // State word values.
    static constexpr int kStateIdle = 0;
    static constexpr int kStateCloseScores = 1;          // the score board's back button
    static constexpr int kStateInfoPage = 66;            // the information page is shown
    static constexpr int kStateQuit = 100;               // the exit question's yes
    static constexpr int kStateDialogClosed = 777;       // a dialog was closed
    static constexpr int kStateLastProfileDeleted = 789; // `LastProfileDeletedState`

    // DoAction's kinds.
    static constexpr int kMouseMove = 0;
    static constexpr int kMousePress = 1;
    static constexpr int kMouseRelease = 2;

    // Button numbers (mHoveredButton, mPressedButton); 0 none.
    static constexpr int kExitButton = 2;
    static constexpr int kStoryButton = 3;
    static constexpr int kSurvivalButton = 4;
    static constexpr int kOptionsButton = 5;
    static constexpr int kInfoButton = 6;
    static constexpr int kScoresButton = 7;

    static constexpr int kLoadingTasks = 16;
    static constexpr int kMenuTextCount = 9;
    static constexpr int kInfoTextCount = 10;
    static constexpr int kInfoTextFile = 700;
    static constexpr const char* kMenuTextFile = "local\\2.xml";
    static constexpr const char* kWebsiteLink = "website.url";
    static constexpr int kOptionsDialogId = 6;
    static constexpr int kProfileDialogId = 7;
    static constexpr int kExitDialogId = 0;

    explicit BoardMenu(GameHost* game);
    ~BoardMenu() override;

    // Loading thread: the menu texts, the art set and the game's sounds and music, counting 16
    // tasks done. A file that cannot be read ends in the application's Popup and stops there.
    void LoadResources();
    // Menu texts 1..9 from local\2.xml; false when the file cannot be opened.
    bool ReadMenuTexts();
    // Information texts 1..10 from local/<number>.xml; false when it cannot be opened.
    bool ReadTexts(int number);
    // Every mouse input: kind 0 move, 1 press, 2 release; menu coordinates.
    void DoAction(int x, int y, int kind);

    void OnAttached(WidgetManager* manager) override;
    void Update() override;
    void Draw(Graphics* g) override;
    void MouseMove(int x, int y) override;
    void MouseDown(int x, int y, int clickCount) override;
    void MouseUp(int x, int y, int clickCount) override;

    // The name shown under the profile icon: the current player's, or the default name while a
    // new player is being named.
    std::string DisplayedName() const;

    // ---- [Fields] ----
    VuroAppBase* mApp;         // the game's framework application, not owned
    GameHost* mGame;           // the game application, not owned
    ProfileManager* mProfiles; // the game's
    MenuArtSet mArt;
    // 1, 2: header and body of the exit question; 3: the profile dialog's title; 4..9: the
    // options dialog's captions.
    std::string mMenuTexts[kMenuTextCount];
    std::string mInfoTexts[kInfoTextCount];
    int mState = kStateIdle;
    bool mBusy = false;
    int mHoveredButton = 0;
    int mPressedButton = 0;
    bool mLogoHover = false;
    bool mIconHover = false;
    bool mIconPressed = false;
    BoardScores* mScoreBoard = nullptr; // owned while open
    Drifter mSun; // held: it keeps its place and changes its cel every 20 ticks
    struct SkyStrip {
        int mX;
        int mY;
        int mPeriod; // ticks between moves of one pixel
    };
    SkyStrip mSkyStrips[2] = {{0, 30, 12}, {kFieldWidth, 30, 12}};
    int mInfoScroll = 480;  // the information page's position
    int mInfoStartTick = 0; // the application's update count when the page opened

private:
    // What mBusy waits for.
    enum class BusyWith { Nothing, Switch, Dialog, ScoreBoard, InfoPage };

    void SetBusy(BusyWith what, int dialogId = -1);
    void EndBusy();
    // Ends busy when what it waits for is gone without the state word saying so.
    void CheckBusy();
    void ActOnState();
    void ReleaseButton(int button);
    void SwitchTo(int target, int mapMode);
    void OpenProfileDialog();
    void OpenInfoPage();
    void OpenScoreBoard();
    void CloseScoreBoard();
    bool InLogo(int x, int y) const;
    void DrawInfoPage(Graphics* g);
    void DrawProfile(Graphics* g);

    BusyWith mBusyWith = BusyWith::Nothing;
    int mBusyDialogId = -1;
};

} // namespace Vuro
