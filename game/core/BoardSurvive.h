#pragma once
// The board a survival level is played on: in its least form it loads the level's pictures
// into its image set and play field and shows the background; nothing is played yet. Replaced
// by the real board.

#include "game/core/StandInBoard.h"

namespace Vuro {

class BoardSurvive : public StandInPlayBoard {
public:
    explicit BoardSurvive(GameApp* app);

    // Loading thread: survival level index n (level n + 1).
    void LoadLevel(int n);
};

} // namespace Vuro
