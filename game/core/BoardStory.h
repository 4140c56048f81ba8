#pragma once
// The board a story level is played on: in its least form it loads the level's pictures into
// its image set and play field and shows the level's background; nothing is played yet.
// Replaced by the real board with the level file, play, pause, help and the level's end.

#include "game/core/StandInBoard.h"

namespace Vuro {

class BoardStory : public StandInPlayBoard {
public:
    explicit BoardStory(GameApp* app);

    // Loading thread: story level index n (level n + 1).
    void LoadLevel(int n);
};

} // namespace Vuro
