#pragma once
// The in-game question a play board opens from the field's menu button: leave the level or
// play on. In its least form a plain dialog with two buttons, which write Resume (2, the first
// button, labelled with help text 2) or Quit (101, the second, help text 1) into the board's
// state word and close the dialog. Replaced by the real dialog with its own placement.

#include "framework/widgets/Dialog.h"

#include <string>

namespace Vuro {

class Font;
class Image;

class InGameDialog : public Dialog {
public:
    static constexpr int kResume = 2;
    static constexpr int kQuit = 101;

    // lines and stateWord are the board's (not owned); so are the pictures and the font.
    InGameDialog(std::string header, std::string* lines, int* stateWord, Image* frameImage,
                 Image* buttonImage, Font* font);

    void ButtonClick(int id) override;

private:
    int* mStateWord;
};

} // namespace Vuro
