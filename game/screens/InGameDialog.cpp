#include "game/screens/InGameDialog.h"

#include "framework/widgets/DialogButton.h"
#include "game/screens/GameHost.h"

#include <utility>

namespace Vuro {

namespace {
constexpr int kLeaveText = 1;
constexpr int kPlayOnText = 2;
} // namespace

InGameDialog::InGameDialog(GameHost* game, std::string header, const std::string* lines,
                           StateCallback answer, Image* frameImage, Image* buttonImage, Font* font)
    : MenuDialog(DialogLook{frameImage, buttonImage, font}, buttonImage, 0, header, "", "", 0,
                 kQuestionHeaderSpacing),
      mAnswer(std::move(answer)) {
    mDialogLines = *lines;
    mPlayOnButton = AddControl(MakeButton(kPlayOnButtonId, game->GetHelpText(kPlayOnText)));
    mLeaveButton = AddControl(MakeButton(kLeaveButtonId, game->GetHelpText(kLeaveText)));
}

void InGameDialog::Resize(int, int, int, int) {
    PlaceAsQuestion(mLeaveButton, mPlayOnButton);
}

void InGameDialog::ButtonClick(int id) {
    MenuDialog::ButtonClick(id);
    PlayClick();
    if (id == kLeaveButtonId) {
        Answer(mAnswer, kLeave);
    } else if (id == kPlayOnButtonId) {
        Answer(mAnswer, kPlayOn);
    }
}

} // namespace Vuro
