#pragma once
// The question a play board asks when the field's menu button is clicked during a level: leave
// the level or play on. Drawn with the board's own dialog frame, button strip and font (the
// menu's art is not loaded while a level runs).
//
// What a caller can rely on:
// - The dialog always stands at 120, 150, 400 x 200, whatever size it is given; its two
//   buttons are widgets of the manager beside it, in screen coordinates: "leave" (id 2, help
//   text 1) at 200, 280 and "play on" (id 1, help text 2) at 330, 280, each 110 wide.
// - Either button plays the click, hands its answer to the board's call-back (kPlayOn 2 or
//   kLeave 101) and closes the dialog; the board acts on it in its next update.

#include "game/screens/MenuDialog.h"

#include <string>

namespace Vuro {

class DialogButton;
class Font;
class GameHost;
class Image;

class InGameDialog : public MenuDialog {
public:
    static constexpr int kPlayOnButtonId = 1;
    static constexpr int kLeaveButtonId = 2;
    static constexpr int kPlayOn = 2;
    static constexpr int kLeave = 101;

    // game gives the buttons' captions; lines, the pictures and the font are the board's (none
    // is owned).
    InGameDialog(GameHost* game, std::string header, const std::string* lines, StateCallback answer,
                 Image* frameImage, Image* buttonImage, Font* font);

    // Ignores its arguments.
    void Resize(int x, int y, int width, int height) override;
    void ButtonClick(int id) override;

    StateCallback mAnswer;
    DialogButton* mPlayOnButton; // the dialog's controls
    DialogButton* mLeaveButton;
};

} // namespace Vuro
