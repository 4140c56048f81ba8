#pragma once
// The intro, the first screen: in its least form a plain screen with the game's name. Its
// loader asks for the menu at once (there are no pictures to load yet), and once the menu's
// loading work is done a press on the start box starts the menu. Replaced by the real intro
// with its splash pictures and animation.

#include "game/core/StandInBoard.h"

namespace Vuro {

class BoardIntro : public StandInBoard {
public:
    // The start box, in screen coordinates.
    static constexpr int kStartLeft = 206;
    static constexpr int kStartRight = 435;
    static constexpr int kStartTop = 428;
    static constexpr int kStartBottom = 465;

    explicit BoardIntro(GameApp* app);

    // Begins the switch to the menu (previous screen 0, target 1).
    void LoadResources(bool customCursors);

    void Update() override;
    void Draw(Graphics* g) override;
    void MouseDown(int x, int y, int clickCount) override;

private:
    // The menu's loading work is done.
    bool MenuReady() const;
    std::string Detail() override;

    bool mShownReady = false; // the start box was drawn
};

} // namespace Vuro
