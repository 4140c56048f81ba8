#pragma once
// The stage map, shown above the menu: in its least form a plain screen. Replaced by the real
// map with its levels, stages and messages.

#include "game/core/StandInBoard.h"

namespace Vuro {

class BoardMenu;

class BoardMap : public StandInBoard {
public:
    // The map draws on the menu's pictures (not owned).
    BoardMap(GameApp* app, BoardMenu* menu);

    // Loading thread: prepares the map for story (true) or survival (false).
    void Setup(bool story) { mStory = story; }

    BoardMenu* mMenu;
    bool mStory = true;
};

} // namespace Vuro
