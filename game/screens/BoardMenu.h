#pragma once
// The main menu: in its least form a plain screen. Its loader (loading thread) loads the game's
// sounds and music and counts its sixteen loading tasks; it has no pictures and no actions yet.
// Replaced by the real menu with its art, buttons and dialogs.

#include "game/core/StandInBoard.h"

namespace Vuro {

class BoardMenu : public StandInBoard {
public:
    static constexpr int kLoadingTasks = 16;

    explicit BoardMenu(GameApp* app);

    // Loading thread.
    void LoadResources();

    // Set by the menu's actions before they ask for a switch; cleared when the switch to the
    // menu finishes.
    bool mSwitchPending = false;
};

} // namespace Vuro
