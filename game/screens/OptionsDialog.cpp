#include "game/screens/OptionsDialog.h"

#include "framework/fonts/ImageFont.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "framework/widgets/DialogButton.h"
#include "game/core/GameApp.h"
#include "game/screens/BoardMenu.h"
#include "game/screens/MenuDialog.h"

namespace Vuro {

namespace {
constexpr int kX = 145;
constexpr int kY = 50;
constexpr int kWidth = 364;
constexpr int kHeight = 409;
constexpr Point kButton{275, 390};
constexpr Margins kMargins{30, 20, 30, 20};
constexpr int kHeaderSpacing = 30;
constexpr int kTitleText = 4; // of the menu's texts
constexpr int kOkText = 1;
} // namespace

OptionsDialog::OptionsDialog(BoardMenu* owner, std::string header, std::string lines)
    : MenuDialog(LookOf(owner->mArt), owner->mArt.mDlgButton, kDialogId, header, lines, "CLOSE", 3,
                 kHeaderSpacing, kMargins),
      mOwner(owner) {
    ApplyButtonLook(mYesButton, mLook, owner->mGameApp->GetHelpText(kOkText));
}

void OptionsDialog::Resize(int, int, int, int) {
    MenuDialog::Resize(kX, kY, kWidth, kHeight);
    Image* button = mOwner->mArt.mButton;
    mYesButton->Resize(kButton.mX, kButton.mY, button->GetWidth(), button->GetHeight());
}

void OptionsDialog::Draw(Graphics* g) {
    MenuDialog::Draw(g);
    g->SetFont(mOwner->mArt.mMainFont);
    g->SetColor(kMenuYellow);
    DrawCenteredText(g, 40, mOwner->mMenuTexts[kTitleText - 1]);
}

void OptionsDialog::ButtonClick(int id) {
    MenuDialog::ButtonClick(id);
    if (id != DialogButtonYes) {
        return;
    }
    mOwner->mGameApp->CloseDialogWidget(this);
    mOwner->mGameApp->PlaySampleAt(kClickSample, 0);
    mOwner->mState = BoardMenu::kStateDialogClosed;
}

} // namespace Vuro
