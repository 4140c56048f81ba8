#pragma once
// The settings window of the main menu: music and sound volume sliders, check boxes for 3-D
// acceleration, full screen and the game's own cursors, and one button that applies the
// choices and writes the settings. Drawn with the menu's art and captions (menu texts 4..9).
//
// What a caller can rely on:
// - The dialog stands at 145, 50, 364 x 409 whatever size it is given; its controls are
//   widgets of the manager beside it, in screen coordinates.
// - Volumes apply at once while the sliders move (the sound slider plays the click when it is
//   let go, so the new level is heard); the screen mode, 3-D, the cursors and the settings are
//   applied and written only by the button, which then closes the dialog and answers 777 to
//   the menu's call-back.
// - A choice that cannot or should not be made is explained in a message box from
//   local\3.xml (no 3-D: the box unchecks itself), local\4.xml (3-D not recommended) or
//   local\5.xml (full screen forced, when the box is unchecked). A file that cannot be read
//   goes to the application's error popup.

#include "framework/widgets/CheckboxListener.h"
#include "framework/widgets/SliderListener.h"
#include "game/screens/MenuDialog.h"

#include <string>

namespace Vuro {

class BoardMenu;
class Checkbox;
class Slider;

class OptionsDialog : public MenuDialog, public SliderListener, public CheckboxListener {
public:
    static constexpr int kDialogId = 6;
    // Control ids.
    static constexpr int kMusicSliderId = 0;
    static constexpr int kSoundSliderId = 1;
    static constexpr int kFullScreenBoxId = 2;
    static constexpr int k3DBoxId = 3;
    static constexpr int kCursorBoxId = 5;

    OptionsDialog(BoardMenu* owner, StateCallback answer, std::string header,
                  std::string lines = std::string());

    // Sets the check boxes from the application before they are shown.
    void OnAttached(WidgetManager* manager) override;
    // Ignores its arguments.
    void Resize(int x, int y, int width, int height) override;
    void Draw(Graphics* g) override;
    void ButtonClick(int id) override;
    void SliderMoved(int id, double value) override;
    void CheckboxToggled(int id, bool checked) override;

    // Text1 and Text2 of fileName into the message header and lines; false when it cannot be
    // opened.
    bool ReadTexts(const std::string& fileName);

    // The dialog's controls.
    Checkbox* m3DBox;
    Checkbox* mFullScreenBox;
    Checkbox* mCursorBox;
    std::string mMessageHeader;
    std::string mMessageLines;
    int mMessageState = 0; // the message boxes' answers; nothing reads them
    BoardMenu* mOwner;     // not owned
    StateCallback mAnswer;
    Slider* mMusicSlider;
    Slider* mSoundSlider;

private:
    // Shows the texts of fileName in a message box of the given height, or the error popup.
    void Explain(const std::string& fileName, int height);
};

} // namespace Vuro
