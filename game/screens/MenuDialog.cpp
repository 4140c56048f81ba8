#include "game/screens/MenuDialog.h"

#include "framework/app/VuroAppBase.h"
#include "framework/fonts/ImageFont.h"
#include "framework/graphics/Image.h"
#include "framework/widgets/DialogButton.h"
#include "framework/widgets/WidgetManager.h"
#include "game/rules/GameSounds.h"
#include "game/screens/MenuArtSet.h"

namespace Vuro {

namespace {
constexpr int kStripCels = 3;
constexpr Rect kQuestion{120, 150, 400, 200};
constexpr int kQuestionButtonY = 280;
constexpr int kQuestionLeftX = 200;
constexpr int kQuestionRightX = 330;
constexpr int kQuestionButtonWidth = 110;
} // namespace

MenuDialog::MenuDialog(const DialogLook& look, Image* buttonImage, int dialogId,
                       const std::string& header, const std::string& lines,
                       const std::string& footer, int buttonMode, int headerSpacing,
                       const Margins& margins)
    : Dialog(look.mFrame, buttonImage, dialogId, true, header, lines, footer, buttonMode),
      mLook(look) {
    mContentMargins = margins;
    mHeaderSpacing = headerSpacing;
    SetHeaderFont(look.mFont);
    SetLinesFont(look.mFont);
    SetButtonFont(look.mFont);
    SetColor(ColorHeader, kMenuYellow);
    SetColor(ColorLines, kMenuYellow);
}

MenuDialog::~MenuDialog() {
    for (Widget* control : mControls) {
        delete control;
    }
}

void MenuDialog::OnAttached(WidgetManager* manager) {
    Dialog::OnAttached(manager);
    for (Widget* control : mControls) {
        manager->AddWidget(control);
    }
}

void MenuDialog::OnDetached(WidgetManager* manager) {
    Dialog::OnDetached(manager);
    for (Widget* control : mControls) {
        manager->RemoveWidget(control);
    }
}

DialogLook MenuDialog::LookOf(const MenuArtSet& art) {
    return DialogLook{art.mDialog, art.mDlgButton, art.mMainFont};
}

void MenuDialog::ApplyButtonLook(DialogButton* button, const DialogLook& look,
                                 const std::string& label) {
    Image* strip = look.mButtonStrip;
    button->mComponentImage = strip;
    button->mNormalImage = strip;
    button->mOverImage = strip;
    button->mDownImage = strip;
    if (strip != nullptr) {
        const int cel = strip->GetWidth() / kStripCels;
        const int height = strip->GetHeight();
        button->mNormalRect = Rect(0, 0, cel, height);
        button->mOverRect = Rect(cel, 0, cel, height);
        button->mDownRect = Rect(2 * cel, 0, cel, height);
    }
    button->mLabel = label;
    button->SetFont(look.mFont);
    button->SetColor(0, kMenuYellow);
    button->SetColor(1, kMenuYellow);
}

DialogButton* MenuDialog::MakeButton(int id, const std::string& label) {
    auto* button = new DialogButton(mLook.mButtonStrip, id, this);
    ApplyButtonLook(button, mLook, label);
    return button;
}

void MenuDialog::PlaceAsQuestion(DialogButton* left, DialogButton* right) {
    Dialog::Resize(kQuestion.mX, kQuestion.mY, kQuestion.mWidth, kQuestion.mHeight);
    left->Resize(kQuestionLeftX, kQuestionButtonY, kQuestionButtonWidth, ButtonHeight());
    right->Resize(kQuestionRightX, kQuestionButtonY, kQuestionButtonWidth, ButtonHeight());
}

int MenuDialog::ButtonHeight() const {
    return mLook.mButtonStrip != nullptr ? mLook.mButtonStrip->GetHeight() : 0;
}

void MenuDialog::PlayClick() {
    gVuroApp->PlaySampleAt(SampleId::kClick, 0);
}

void MenuDialog::Answer(const StateCallback& answer, int state) {
    answer(state);
    gVuroApp->CloseDialogWidget(this);
}

} // namespace Vuro
