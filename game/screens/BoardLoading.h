#pragma once
// The loading screen shown while a level or the menu loads: in its least form a plain screen
// with a bar of the application's loading progress. Replaced by the real loading screen with
// its pictures.

#include "game/core/StandInBoard.h"

namespace Vuro {

class BoardLoading : public StandInBoard {
public:
    BoardLoading(GameApp* app, int mode);

    // The screen's pictures: none yet.
    void LoadImages() {}

    // Redrawn every tick, as the progress moves.
    void Update() override;
    void Draw(Graphics* g) override;
};

} // namespace Vuro
