#include "game/screens/InGameDialog.h"

#include "framework/widgets/DialogButton.h"
#include "game/core/GameApp.h"

namespace Vuro {

namespace {
constexpr int kClickSample = 2;
constexpr int kButtonModeYesNo = 1;
} // namespace

InGameDialog::InGameDialog(std::string header, std::string* lines, int* stateWord,
                           Image* frameImage, Image* buttonImage, Font* font)
    : Dialog(frameImage, buttonImage, 0, true, header, *lines, "", kButtonModeYesNo),
      mStateWord(stateWord) {
    SetHeaderFont(font);
    SetLinesFont(font);
    SetButtonFont(font);
    if (GameApp* app = GetGameApp()) {
        mYesButton->mLabel = app->GetHelpText(2);
        mNoButton->mLabel = app->GetHelpText(1);
    }
}

void InGameDialog::ButtonClick(int id) {
    Dialog::ButtonClick(id);
    if (id != DialogButtonYes && id != DialogButtonNo) {
        return;
    }
    gVuroApp->PlaySampleAt(kClickSample, 0);
    *mStateWord = id == DialogButtonYes ? kResume : kQuit;
    gVuroApp->CloseDialogWidget(this);
}

} // namespace Vuro
