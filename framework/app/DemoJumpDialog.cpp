#include "framework/app/DemoJumpDialog.h"

#include "framework/app/VuroAppBase.h"
#include "framework/fonts/Font.h"
#include "framework/widgets/DialogButton.h"
#include "framework/widgets/EditWidget.h"
#include "framework/widgets/WidgetManager.h"

namespace Vuro {

namespace {

constexpr int kWidth = 240;
constexpr int kEditId = 0;
constexpr int kGap = 10;        // between the title, the field and the buttons
constexpr int kEditPadding = 8; // the field's height beyond one line of text

} // namespace

DemoJumpDialog::DemoJumpDialog(VuroAppBase& app, const std::string& jumpTime)
    : DemoControlDialog(app, kDemoJumpDialogId, "Jump To Time", "", 2) {
    mNoButton->mLabel = "Cancel";
    mEdit = new EditWidget(kEditId, this);
    if (mFont != nullptr) {
        mEdit->SetFont(mFont.get(), nullptr);
    }
    mEdit->SetText(jumpTime, true);
    mEdit->mCursorPos = static_cast<int>(jumpTime.size());
    mEdit->mHighlightPos = 0;
    const int editHeight = (mFont != nullptr ? mFont->GetHeight() : 0) + kEditPadding;
    Centre(kWidth, TitleBottom() + kGap + editHeight + kGap + mButtonHeight +
                       mContentMargins.mBottom + mBorderMargins.mBottom);
}

DemoJumpDialog::~DemoJumpDialog() {
    delete mEdit;
}

void DemoJumpDialog::OnAttached(WidgetManager* manager) {
    Dialog::OnAttached(manager);
    manager->AddWidget(mEdit);
}

void DemoJumpDialog::OnDetached(WidgetManager* manager) {
    Dialog::OnDetached(manager);
    manager->RemoveWidget(mEdit);
}

void DemoJumpDialog::ZOrderChanged() {
    Dialog::ZOrderChanged();
    if (mWidgetManager != nullptr) {
        mWidgetManager->BringToFront(mEdit, this);
    }
}

void DemoJumpDialog::Resize(int x, int y, int width, int height) {
    Dialog::Resize(x, y, width, height);
    if (mEdit == nullptr) {
        return; // the base class places itself before the field exists
    }
    const int left = mBorderMargins.mLeft + mContentMargins.mLeft;
    const int right = mBorderMargins.mRight + mContentMargins.mRight;
    const int editHeight = (mFont != nullptr ? mFont->GetHeight() : 0) + kEditPadding;
    mEdit->Resize(x + left, y + TitleBottom() + kGap, width - left - right, editHeight);
}

void DemoJumpDialog::ButtonClick(int id) {
    Dialog::ButtonClick(id);
    if (id == DialogButtonYes) {
        mApp.JumpToDemoTime(mEdit->mText);
    }
    if (id == DialogButtonYes || id == DialogButtonNo) {
        mApp.CloseDemoControl(mId);
    }
}

void DemoJumpDialog::EditTextEntered(int /*id*/, const std::string& /*text*/) {
    ButtonClick(DialogButtonYes);
}

} // namespace Vuro
