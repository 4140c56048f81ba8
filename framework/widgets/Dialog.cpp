#include "framework/widgets/Dialog.h"

#include "framework/fonts/Font.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "framework/widgets/DialogButton.h"
#include "framework/widgets/DialogListener.h"
#include "framework/widgets/WidgetHost.h"
#include "framework/widgets/WidgetManager.h"
#include "framework/widgets/WidgetSysFont.h"

namespace Vuro {

namespace {

const char* const kYesLabel = "YES";
const char* const kNoLabel = "NO";
const char* const kOkLabel = "OK";
const char* const kCancelLabel = "CANCEL";

// How far a dragged dialog may leave the screen, and how far inside it the grab point stays.
constexpr int kDragSlack = 8;
// Space above the footer and around the button row.
constexpr int kRowSpacing = 8;

constexpr Color kDefaultBoxFill{80, 80, 80};
constexpr Color kDefaultBoxFrame{255, 255, 255};
constexpr Color kShadow{0, 0, 0, 128};

int LimitPosition(int position, int size, int screenSize) {
    if (position < -kDragSlack) {
        return -kDragSlack;
    }
    if (position + size > screenSize + kDragSlack) {
        return screenSize - size + kDragSlack;
    }
    return position;
}

int LimitGrab(int grab, int size) {
    if (grab < kDragSlack) {
        return kDragSlack;
    }
    if (grab > size - kDragSlack - 1) {
        return size - kDragSlack - 1;
    }
    return grab;
}

} // namespace

Dialog::Dialog(Image* componentImage, Image* buttonComponentImage, int dialogId, bool isModal,
               const std::string& header, const std::string& lines, const std::string& footer,
               int buttonMode)
    : mDialogListener(WidgetHost::Current()), mComponentImage(componentImage),
      mDialogHeader(header), mDialogFooter(footer), mDialogLines(lines), mButtonMode(buttonMode),
      mId(dialogId), mIsModal(isModal) {
    mTranslucent = true;
    mHasTransparencies = true;
    mPriority = 1;
    if (buttonComponentImage != nullptr) {
        mButtonHeight = buttonComponentImage->GetHeight();
    }
    if (buttonMode == 1 || buttonMode == 2 || buttonMode == 3) {
        mYesButton = new DialogButton(buttonComponentImage, DialogButtonYes, this);
        mYesButton->mLabel = buttonMode == 1 ? kYesLabel : buttonMode == 2 ? kOkLabel : footer;
    }
    if (buttonMode == 1 || buttonMode == 2) {
        mNoButton = new DialogButton(buttonComponentImage, DialogButtonNo, this);
        mNoButton->mLabel = buttonMode == 1 ? kNoLabel : kCancelLabel;
    }
    const int buttonText = buttonComponentImage != nullptr ? 255 : 0;
    const int colors[7][3] = {
        {255, 255, 255},
        {255, 255, 0},
        {255, 255, 255},
        {buttonText, buttonText, buttonText},
        {buttonText, buttonText, buttonText},
        {kDefaultBoxFill.mRed, kDefaultBoxFill.mGreen, kDefaultBoxFill.mBlue},
        {kDefaultBoxFrame.mRed, kDefaultBoxFrame.mGreen, kDefaultBoxFrame.mBlue},
    };
    SetColorsRGB(colors, 7);
}

Dialog::~Dialog() {
    if (mWaitState != nullptr) {
        mWaitState->mDeleted = true;
        mWaitState->mFinalResult = mResult;
    }
    delete mYesButton;
    delete mNoButton;
    mYesButton = nullptr;
    mNoButton = nullptr;
    delete mHeaderFont;
    delete mLinesFont;
}

// ---- [Colours, attachment and fonts] ----

void Dialog::SetColor(int index, const Color& color) {
    Widget::SetColor(index, color);
    for (DialogButton* button : {mYesButton, mNoButton}) {
        if (button == nullptr) {
            continue;
        }
        if (index == ColorButtonText) {
            button->SetColor(0, color);
        } else if (index == ColorButtonTextHi) {
            button->SetColor(1, color);
        }
    }
}

void Dialog::OnAttached(WidgetManager* manager) {
    Widget::OnAttached(manager);
    for (DialogButton* button : {mYesButton, mNoButton}) {
        if (button != nullptr) {
            manager->AddWidget(button);
        }
    }
}

void Dialog::OnDetached(WidgetManager* manager) {
    Widget::OnDetached(manager);
    for (DialogButton* button : {mYesButton, mNoButton}) {
        if (button != nullptr) {
            manager->RemoveWidget(button);
        }
    }
}

void Dialog::ZOrderChanged() {
    if (mWidgetManager == nullptr) {
        return;
    }
    for (DialogButton* button : {mYesButton, mNoButton}) {
        if (button != nullptr) {
            mWidgetManager->BringToFront(button, this);
        }
    }
}

void Dialog::SetButtonFont(Font* font) {
    for (DialogButton* button : {mYesButton, mNoButton}) {
        if (button != nullptr) {
            button->SetFont(font);
        }
    }
}

void Dialog::SetHeaderFont(Font* font) {
    delete mHeaderFont;
    mHeaderFont = font != nullptr ? font->Duplicate() : nullptr;
}

void Dialog::SetLinesFont(Font* font) {
    delete mLinesFont;
    mLinesFont = font != nullptr ? font->Duplicate() : nullptr;
}

void Dialog::LoadDefaultFonts() {
    if (mHeaderFont == nullptr) {
        mHeaderFont = MakeSysFont({"SansSerif", 14, 0, false, false, false});
    }
    if (mLinesFont == nullptr) {
        mLinesFont = MakeSysFont({"SansSerif", 12, 0, false, false, false});
    }
}

// ---- [Layout] ----

int Dialog::GetPreferredHeight(int width) {
    LoadDefaultFonts();
    int height = mBorderMargins.mTop + mBorderMargins.mBottom + mContentMargins.mTop +
                 mContentMargins.mBottom;
    bool counted = false;
    if (!mDialogHeader.empty() && mHeaderFont != nullptr) {
        height += mHeaderFont->GetHeight() - mHeaderFont->GetAscentPadding();
        counted = true;
    }
    if (!mDialogLines.empty() && mLinesFont != nullptr) {
        if (counted) {
            height += mHeaderSpacing;
        }
        Graphics measure;
        measure.SetFont(mLinesFont);
        int textWidth = width - mContentMargins.mRight - mContentMargins.mLeft -
                        mBorderMargins.mRight - mBorderMargins.mLeft - 4;
        height += MeasureWrappedText(&measure, textWidth, mDialogLines,
                                     mLinesFont->GetLineSpacing() + mExtraLineSpacing);
        counted = true;
    }
    if (!mDialogFooter.empty() && mButtonMode != 3 && mHeaderFont != nullptr) {
        if (counted) {
            height += kRowSpacing;
        }
        height += mHeaderFont->GetLineSpacing();
        counted = true;
    }
    if (mYesButton != nullptr) {
        if (counted) {
            height += kRowSpacing;
        }
        height += mButtonHeight + kRowSpacing;
    }
    return height;
}

void Dialog::Resize(int x, int y, int width, int height) {
    Widget::Resize(x, y, width, height);
    LayoutButtons();
}

void Dialog::LayoutButtons() {
    if (mYesButton == nullptr) {
        return;
    }
    const int left = mX + mBorderMargins.mLeft + mContentMargins.mLeft;
    const int inner = mWidth - mContentMargins.mRight - mBorderMargins.mRight -
                      mBorderMargins.mLeft - mContentMargins.mLeft;
    const int buttonY =
        mY + mHeight - mContentMargins.mBottom - mBorderMargins.mBottom - mButtonHeight;
    if (mNoButton == nullptr) {
        mYesButton->Resize(left, buttonY, inner, mButtonHeight);
        return;
    }
    const int buttonWidth = (inner - 2 * mButtonSideInset - mButtonGap) / 2;
    const int yesX = left + mButtonSideInset;
    mYesButton->Resize(yesX, buttonY, buttonWidth, mButtonHeight);
    mNoButton->Resize(yesX + buttonWidth + mButtonGap, buttonY, buttonWidth, mButtonHeight);
}

// ---- [Drawing] ----

void Dialog::Draw(Graphics* g) {
    LoadDefaultFonts();
    if (mComponentImage != nullptr) {
        g->DrawImageBox(Rect(mBorderMargins.mLeft, mBorderMargins.mTop,
                             mWidth - mBorderMargins.mRight - mBorderMargins.mLeft,
                             mHeight - mBorderMargins.mBottom - mBorderMargins.mTop),
                        mComponentImage);
    } else {
        g->SetColor(GetColorOr(ColorBoxFrame, kDefaultBoxFrame));
        g->DrawRect(12, 12, mWidth - 25, mHeight - 25);
        g->SetColor(GetColorOr(ColorBoxFill, kDefaultBoxFill));
        g->FillRect(13, 13, mWidth - 26, mHeight - 26);
        g->SetColor(kShadow);
        g->FillRect(mWidth - 12, 24, 12, mHeight - 36);
        g->FillRect(24, mHeight - 12, mWidth - 24, 12);
    }

    int y = mContentMargins.mTop + mBorderMargins.mTop;
    if (!mDialogHeader.empty() && mHeaderFont != nullptr) {
        y += mHeaderFont->GetAscent() - mHeaderFont->GetAscentPadding();
        g->SetFont(mHeaderFont);
        g->SetColor(GetColor(ColorHeader));
        DrawCenteredText(g, y, mDialogHeader);
        y += mHeaderFont->GetHeight() - mHeaderFont->GetAscent() + mHeaderSpacing;
    }

    if (mLinesFont != nullptr) {
        g->SetFont(mLinesFont);
        g->SetColor(GetColor(ColorLines));
        Rect area(mContentMargins.mLeft + mBorderMargins.mLeft + 2, y,
                  mWidth - mContentMargins.mRight - mContentMargins.mLeft - mBorderMargins.mRight -
                      mBorderMargins.mLeft - 4,
                  0);
        y += DrawWrappedText(g, area, mDialogLines,
                             mLinesFont->GetLineSpacing() + mExtraLineSpacing, mLinesJustify);
    }

    if (!mDialogFooter.empty() && mButtonMode != 3 && mHeaderFont != nullptr) {
        y += mHeaderFont->GetLineSpacing() + kRowSpacing;
        g->SetFont(mHeaderFont);
        g->SetColor(GetColor(ColorFooter));
        DrawCenteredText(g, y, mDialogFooter);
    }
}

// ---- [Dragging] ----

void Dialog::MouseDown(int x, int y, int clickCount) {
    if (clickCount == 1) {
        WidgetHost::ShowCursor(CursorKind::kDrag);
        mDragging = true;
        mGrabX = x;
        mGrabY = y;
    }
    Widget::MouseDown(x, y, clickCount);
}

void Dialog::MouseDrag(int x, int y) {
    if (!mDragging || mWidgetManager == nullptr) {
        return;
    }
    const int newX = LimitPosition(mX - mGrabX + x, mWidth, mWidgetManager->mScreenWidth);
    const int newY = LimitPosition(mY - mGrabY + y, mHeight, mWidgetManager->mScreenHeight);
    mGrabX = LimitGrab(mX - newX + x, mWidth);
    mGrabY = LimitGrab(mY - newY + y, mHeight);
    Move(newX, newY);
}

void Dialog::MouseRelease(int /*x*/, int /*y*/) {
    if (mDragging) {
        WidgetHost::ShowCursor(CursorKind::kArrow);
        mDragging = false;
    }
}

// ---- [Result] ----

int Dialog::WaitForResult(bool autoKill) {
    WidgetHost* host = WidgetHost::Current();
    if (host == nullptr) {
        return mResult;
    }
    if (mWaitState == nullptr) {
        mWaitState = std::make_shared<WaitState>();
    }
    const std::shared_ptr<WaitState> state = mWaitState;
    bool updated = false;
    while (mWidgetManager != nullptr && mResult == DialogResultNone &&
           host->RunLoopStep(&updated)) {
        if (state->mDeleted) {
            return state->mFinalResult; // closed and deleted during the step: nothing to kill
        }
    }
    const int result = mResult;
    if (autoKill) {
        host->CloseDialog(mId);
    }
    return result;
}

void Dialog::ButtonPress(int id) {
    if ((id == DialogButtonYes || id == DialogButtonNo) && mDialogListener != nullptr) {
        mDialogListener->DialogButtonPress(mId, id);
    }
}

void Dialog::ButtonClick(int id) {
    if (id == DialogButtonYes || id == DialogButtonNo) {
        mResult = id;
        if (mDialogListener != nullptr) {
            mDialogListener->DialogButtonClick(mId, id);
        }
    }
}

} // namespace Vuro
