#include "framework/widgets/Dialog.h"

#include "framework/widgets/DialogListener.h"

namespace Vuro {

Dialog::Dialog(Image* componentImage, Image* buttonComponentImage, int dialogId, bool isModal,
               const std::string& header, const std::string& lines, const std::string& footer,
               int buttonMode)
    : mComponentImage(componentImage), mButtonComponentImage(buttonComponentImage), mId(dialogId),
      mIsModal(isModal), mDialogHeader(header), mDialogLines(lines), mDialogFooter(footer),
      mButtonMode(buttonMode) {}

namespace {

// Space around the content inside the box, each side.
constexpr int kContentMargin = 24;
// Space between the content and the button row, and below the buttons.
constexpr int kButtonSpacing = 8;

} // namespace

int Dialog::GetPreferredHeight(int) {
    int height = 2 * kContentMargin; // top and bottom
    bool hasButtons = mButtonMode >= 1 && mButtonMode <= 3;
    if (hasButtons) {
        height += mButtonHeight + kButtonSpacing;
    }
    return height;
}

void Dialog::ButtonPress(int id) {
    if ((id == kYesButtonId || id == kNoButtonId) && mDialogListener != nullptr) {
        mDialogListener->DialogButtonPress(mId, id);
    }
}

void Dialog::ButtonClick(int id) {
    if (id == kYesButtonId || id == kNoButtonId) {
        mResult = id;
        if (mDialogListener != nullptr) {
            mDialogListener->DialogButtonClick(mId, id);
        }
    }
}

} // namespace Vuro
