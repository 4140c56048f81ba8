#pragma once
// The story prologue or the credits, shown above the menu: in its least form a plain screen.
// Replaced by the real scrolling texts and their buttons.

#include "game/core/StandInBoard.h"

namespace Vuro {

class BoardMenu;

class BoardTitres : public StandInBoard {
public:
    // The texts draw on the menu's pictures (not owned).
    BoardTitres(GameApp* app, BoardMenu* menu);

    // Loading thread: true shows the prologue, false the credits.
    void Restart(bool prologue) { mPrologue = prologue; }

    BoardMenu* mMenu;
    bool mPrologue = true;
};

} // namespace Vuro
