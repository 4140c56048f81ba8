#include "game/screens/OKDialog.h"

#include "framework/widgets/DialogButton.h"
#include "framework/widgets/WidgetManager.h"
#include "game/screens/BoardMenu.h"
#include "game/screens/GameHost.h"

#include <utility>

namespace Vuro {

namespace {
constexpr int kX = 120;
constexpr int kY = 150;
constexpr int kWidth = 400;
constexpr int kHeaderSpacing = 20;
constexpr int kButtonX = 260;
constexpr int kButtonAboveBottom = 60; // the button's top, from the dialog's bottom edge
constexpr int kButtonWidth = 110;
constexpr int kOkText = 1;
} // namespace

OKDialog::OKDialog(BoardMenu* owner, std::string header, std::string lines, StateCallback answer)
    : MenuDialog(LookOf(owner->mArt), nullptr, kDialogId, header, "", "", 0, kHeaderSpacing),
      mOwner(owner), mAnswer(std::move(answer)) {
    mDialogLines = std::move(lines);
    mOkButton = MakeButton(kOkButtonId, owner->mGame->GetHelpText(kOkText));
}

OKDialog::~OKDialog() {
    delete mOkButton;
}

void OKDialog::OnAttached(WidgetManager* manager) {
    MenuDialog::OnAttached(manager);
    manager->AddWidget(mOkButton);
}

void OKDialog::OnDetached(WidgetManager* manager) {
    MenuDialog::OnDetached(manager);
    manager->RemoveWidget(mOkButton);
}

void OKDialog::Resize(int, int, int, int height) {
    MenuDialog::Resize(kX, kY, kWidth, height);
    mOkButton->Resize(kButtonX, kY + height - kButtonAboveBottom, kButtonWidth, ButtonHeight());
}

void OKDialog::ButtonClick(int id) {
    MenuDialog::ButtonClick(id);
    PlayClick();
    if (id == kOkButtonId) {
        Answer(mAnswer, kClosedState);
    }
}

} // namespace Vuro
