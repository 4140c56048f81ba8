#pragma once
// The main menu. It owns the menu art set, which the stage map, the credits, the score board
// and the menu's dialogs draw through their menu pointer, and the menu texts. Its loader runs
// on the loading thread before the menu is attached.
//
// In this form the menu still shows a plain screen; its art set and texts are the real ones.

#include "game/core/Drifter.h"
#include "game/core/StandInBoard.h"
#include "game/screens/MenuArtSet.h"

#include <string>

namespace Vuro {

class ProfileManager;

class BoardMenu : public StandInBoard {
public:
    static constexpr int kLoadingTasks = 16;
    static constexpr int kMenuTextCount = 9;
    static constexpr const char* kMenuTextFile = "local\\2.xml";

    explicit BoardMenu(GameApp* app);

    // Loading thread: the menu texts, the art set and the game's sounds and music, counting 16
    // tasks done. A file that cannot be read ends in the application's Popup and stops there.
    void LoadResources();
    // Menu texts 1..9 from local\2.xml; false when the file cannot be opened.
    bool ReadMenuTexts();

    GameApp* mGameApp; // not owned
    MenuArtSet mArt;
    // 1, 2: header and body of the exit question; 3: the profile dialog's title; 4..9: the
    // options dialog's captions.
    std::string mMenuTexts[kMenuTextCount];
    int mHoveredButton = 0;
    Drifter mSun; // held: it keeps its place and changes its cel every 20 ticks

    // Set by the menu's actions before they ask for a switch; cleared when the switch to the
    // menu finishes.
    bool mSwitchPending = false;
};

} // namespace Vuro
