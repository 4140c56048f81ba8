#pragma once
// The help panel: a tip of four lines from "local/<tip>.xml" on the board's panel picture,
// shown over a play board while the board waits. The board creates it (ShowHelpPanel), adds it
// to the widget manager and owns it; the panel removes itself from the manager when it closes
// and answers Resume to the board's call-back, which makes the board delete it and play on.
//
// What a caller can rely on:
// - A click closes the panel only inside x 26..619, y 161..299 and only once the program-wide
//   delay has counted one step (70 updates of the panel since it was attached).
// - Whatever ends the panel (a click, its button handler, the loss of the focus) answers Resume
//   exactly like a close, so the board never waits for ever on a panel that is gone.

#include "framework/widgets/ButtonListener.h"
#include "framework/widgets/Widget.h"
#include "game/screens/StateCallback.h"

#include <string>

namespace Vuro {

class PlayBoard;

class BoardH : public Widget, public ButtonListener {
public:
    static constexpr int kLineCount = 4;
    // Updates of the panel per step of the delay counter.
    static constexpr int kDelayUpdates = 70;
    // The area a click closes the panel in, edges included.
    static constexpr int kCloseLeft = 26;
    static constexpr int kCloseRight = 619;
    static constexpr int kCloseTop = 161;
    static constexpr int kCloseBottom = 299;

    // owner draws the panel's picture and font (not owned).
    BoardH(PlayBoard* owner, StateCallback answer);

    // Lines 1..4 from the elements Text1..Text4 of section HelpText in "local/<tip>.xml"; a
    // file that cannot be opened leaves them empty.
    void ReadTexts(int tipNumber);
    const std::string& GetLine(int index) const { return mLines[index]; }

    // The program-wide delay counter: 0 when a panel is made or attached.
    static int GetDelay();

    void OnAttached(WidgetManager* manager) override;
    void Update() override;
    void Draw(Graphics* g) override;
    void LostFocus() override;
    void MouseMove(int x, int y) override;
    void MouseDown(int x, int y, int clickCount) override;
    void ButtonClick(int id) override;

private:
    // Out of the manager, the owner told to play on; with the click sound when clicked.
    void Close(bool withSound);

    PlayBoard* mOwner;
    StateCallback mAnswer;
    int mMouseX = 0;
    int mMouseY = 0;
    bool mClosed = false; // Close ran: the owner was told once
    std::string mLines[kLineCount];
};

} // namespace Vuro
