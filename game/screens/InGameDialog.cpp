#include "game/screens/InGameDialog.h"

#include "framework/widgets/DialogButton.h"
#include "game/app/GameApp.h"

namespace Vuro {

namespace {
constexpr int kLeaveText = 1;
constexpr int kPlayOnText = 2;
} // namespace

InGameDialog::InGameDialog(std::string header, std::string* lines, int* stateWord,
                           Image* frameImage, Image* buttonImage, Font* font)
    : MenuDialog(DialogLook{frameImage, buttonImage, font}, buttonImage, 0, header, "", "", 0,
                 kQuestionHeaderSpacing),
      mStateWord(stateWord) {
    mDialogLines = *lines;
    const GameApp* app = GetGameApp();
    mPlayOnButton = AddControl(MakeButton(kPlayOnButtonId, app->GetHelpText(kPlayOnText)));
    mLeaveButton = AddControl(MakeButton(kLeaveButtonId, app->GetHelpText(kLeaveText)));
}

void InGameDialog::Resize(int, int, int, int) {
    PlaceAsQuestion(mLeaveButton, mPlayOnButton);
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
