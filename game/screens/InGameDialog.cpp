#include "game/screens/InGameDialog.h"

#include "framework/widgets/DialogButton.h"
#include "game/core/GameApp.h"

namespace Vuro {

namespace {
constexpr int kX = 120;
constexpr int kY = 150;
constexpr int kWidth = 400;
constexpr int kHeight = 200;
constexpr int kHeaderSpacing = 25;
constexpr int kButtonY = 280;
constexpr int kLeaveX = 200;
constexpr int kPlayOnX = 330;
constexpr int kButtonWidth = 110;
constexpr int kLeaveText = 1;
constexpr int kPlayOnText = 2;
} // namespace

InGameDialog::InGameDialog(std::string header, std::string* lines, int* stateWord,
                           Image* frameImage, Image* buttonImage, Font* font)
    : MenuDialog(DialogLook{frameImage, buttonImage, font}, buttonImage, 0, header, "", "", 0,
                 kHeaderSpacing),
      mStateWord(stateWord) {
    mDialogLines = *lines;
    const GameApp* app = GetGameApp();
    mPlayOnButton = AddControl(MakeButton(kPlayOnButtonId, app->GetHelpText(kPlayOnText)));
    mLeaveButton = AddControl(MakeButton(kLeaveButtonId, app->GetHelpText(kLeaveText)));
}

void InGameDialog::Resize(int, int, int, int) {
    MenuDialog::Resize(kX, kY, kWidth, kHeight);
    const int buttonHeight = ButtonHeight();
    mLeaveButton->Resize(kLeaveX, kButtonY, kButtonWidth, buttonHeight);
    mPlayOnButton->Resize(kPlayOnX, kButtonY, kButtonWidth, buttonHeight);
}

void InGameDialog::ButtonClick(int id) {
    MenuDialog::ButtonClick(id);
    PlayClick();
    if (id == kLeaveButtonId) {
        Answer(mStateWord, kLeave);
    } else if (id == kPlayOnButtonId) {
        Answer(mStateWord, kPlayOn);
    }
}

} // namespace Vuro
