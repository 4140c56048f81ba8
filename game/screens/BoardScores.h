#pragma once
// The score board in its least form: a plain screen over the menu; a click closes it, writing
// 1 into the menu's state word. Replaced by the real score tables and their buttons.

#include "game/core/StandInBoard.h"

namespace Vuro {

class BoardMenu;

class BoardScores : public StandInBoard {
public:
    static constexpr int kClosed = 1;

    // The state word is the menu's (not owned).
    BoardScores(BoardMenu* owner, int* stateWord);

    void MouseUp(int x, int y, int clickCount) override;

    BoardMenu* mOwner; // not owned
    int* mStateWord;   // not owned
};

} // namespace Vuro
