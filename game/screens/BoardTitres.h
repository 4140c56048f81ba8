#pragma once
// The story's pictures and the credits, over the menu. Opened for a story not yet begun (screen
// 6) it shows the first picture, whose signpost (450..576, 415..475) leads to the stage map.
// Opened after a mode's last level (screen 8) it shows the second picture until a click, then
// scrolls the credits up over the painter's table, one pixel every 10 updates, beside a
// painting that changes every 1000 updates (seven in all, the last one stays), and returns to
// the menu once the last line has left the screen: 870 pixels, 8700 updates, from the start.
//
// What a caller can rely on:
// - The pictures and the font are the menu's; the credits' texts are the menu's information
//   texts (local/700.xml), which Restart reads before the credits run: the credits after a
//   mode's end always run under a new menu whose information page has never opened. Without
//   the file the texts stay as they were (empty under a new menu): the credits run without
//   lines and end as usual.
// - The signpost leads on at its first click only; later clicks while the switch runs do
//   nothing.
// - While the application is inactive (without the focus or minimised) nothing moves.

#include "framework/widgets/Widget.h"

namespace Vuro {

class BoardMenu;
class GameHost;
class VuroAppBase;

class BoardTitres : public Widget {
public:
    enum Phase {
        kFirstPicture = 0,
        kSecondPicture = 1,
        kScrolling = 2,
        kFinished = 5,
    };
    static constexpr int kScrollStart = 200;

    // The menu draws the pictures and holds the texts (not owned).
    BoardTitres(GameHost* game, BoardMenu* art);

    // Loading thread: true opens on the first picture, false on the second, with the credits'
    // texts read.
    void Restart(bool startWithPicture);

    void Update() override;
    void Draw(Graphics* g) override;
    void MouseMove(int x, int y) override;
    void MouseDown(int x, int y, int clickCount) override;
    void MouseUpButton(int x, int y, int button, int clickCount) override;

    VuroAppBase* mApp; // the game's framework application, not owned
    GameHost* mGame;   // the game application, not owned
    BoardMenu* mArt;   // not owned
    bool mStartWithPicture = true;
    int mPhase = kFirstPicture;
    bool mHover = false;   // the mouse is over the signpost
    bool mClicked = false; // the signpost led on
    int mScroll = kScrollStart;
    int mPicture = 0; // the painting shown, 0..6

private:
    static bool OnSignpost(int x, int y);
    void SwitchTo(int screenId);
    void DrawCredits(Graphics* g);
};

} // namespace Vuro
