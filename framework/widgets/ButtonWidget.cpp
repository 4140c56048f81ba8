#include "framework/widgets/ButtonWidget.h"

#include "framework/fonts/Font.h"
#include "framework/graphics/Graphics.h"
#include "framework/widgets/ButtonListener.h"
#include "framework/widgets/ButtonLook.h"
#include "framework/widgets/WidgetManager.h"
#include "framework/widgets/WidgetSysFont.h"

namespace Vuro {

using namespace ButtonLook;

ButtonWidget::ButtonWidget(int id, ButtonListener* listener) : mId(id), mButtonListener(listener) {
    mTranslucent = true;
    mColors = {Color::Black, Color::Black};
}

ButtonWidget::~ButtonWidget() {
    delete mFont;
}

bool ButtonWidget::HasImageOrRect(const Image* image, const Rect& rect) {
    return image != nullptr || rect.mWidth != 0;
}

void ButtonWidget::Update() {
    Widget::Update();
    if (mIsDown && mIsOver && mButtonListener != nullptr) {
        mButtonListener->ButtonHeld(mId);
    }
    if (!mIsDown && !mIsOver) {
        if (mOverAlpha > 0.0) {
            if (mOverAlphaSpeed > 0.0) {
                mOverAlpha -= mOverAlphaSpeed;
                if (mOverAlpha < 0.0) {
                    mOverAlpha = 0.0;
                }
            } else {
                mOverAlpha = 0.0;
            }
            Invalidate();
        }
    } else if (mIsOver) {
        if (mOverAlphaFadeInSpeed > 0.0 && mOverAlpha < 1.0) {
            mOverAlpha += mOverAlphaFadeInSpeed;
            if (mOverAlpha > 1.0) {
                mOverAlpha = 1.0;
            }
            Invalidate();
        }
    }
}

void ButtonWidget::SetDisabled(bool disabled) {
    Widget::SetDisabled(disabled);
    if (HasImageOrRect(mDisabledImage, mDisabledRect)) {
        Invalidate();
    }
}

bool ButtonWidget::OverChangesLook() {
    return mIsDown || HasImageOrRect(mOverImage, mOverRect) || GetColor(1) != GetColor(0);
}

void ButtonWidget::MouseEnter() {
    if (mOverAlphaFadeInSpeed == 0.0 && mOverAlpha > 0.0) {
        mOverAlpha = 0.0;
    }
    if (OverChangesLook()) {
        Invalidate();
    }
    if (mButtonListener != nullptr) {
        mButtonListener->ButtonMouseEnter(mId);
    }
}

void ButtonWidget::MouseLeave() {
    if (mOverAlphaSpeed == 0.0) {
        if (mOverAlpha > 0.0) {
            mOverAlpha = 0.0;
        }
    } else if (mOverAlphaSpeed > 0.0 && mOverAlpha == 0.0) {
        mOverAlpha = 1.0; // the fade-out starts from full
    }
    if (OverChangesLook()) {
        Invalidate();
    }
    if (mButtonListener != nullptr) {
        mButtonListener->ButtonMouseLeave(mId);
    }
}

void ButtonWidget::MouseMove(int x, int y) {
    if (mButtonListener != nullptr) {
        mButtonListener->ButtonMouseMove(mId, x, y);
    }
}

void ButtonWidget::MouseDown(int x, int y, int clickCount) {
    Widget::MouseDown(x, y, clickCount);
    if (mButtonListener != nullptr) {
        mButtonListener->ButtonPressCount(mId, clickCount);
    }
    Invalidate();
}

void ButtonWidget::MouseRelease(int /*x*/, int /*y*/) {
    // The manager has cleared isDown already: a click needs the mouse still over the button.
    if (mIsOver && mWidgetManager != nullptr && mWidgetManager->mHasAppFocus &&
        mButtonListener != nullptr) {
        mButtonListener->ButtonClick(mId);
    }
    Invalidate();
}

void ButtonWidget::DrawButtonImage(Graphics* g, Image* image, const Rect& src, int x, int y) {
    if (src.mWidth != 0) {
        if (mNormalImage != nullptr) {
            g->DrawImageSrc(mNormalImage, x, y, src);
        }
    } else if (image != nullptr) {
        g->DrawImage(image, x, y);
    }
}

void ButtonWidget::SetFont(Font* font) {
    delete mFont;
    mFont = font != nullptr ? font->Duplicate() : nullptr;
}

bool ButtonWidget::IsButtonDown() {
    return mIsDown && mIsOver && !mDisabled;
}

void ButtonWidget::EnsureLabelFont(int pointSize, int charSet) {
    if (mFont == nullptr && !mLabel.empty()) {
        mFont = MakeSysFont({"SansSerif", pointSize, charSet, false, false, false});
    }
}

void ButtonWidget::Draw(Graphics* g) {
    if (mNoDraw) {
        return;
    }
    EnsureLabelFont(10, 0);
    bool downLook = (mIsDown && mIsOver && !mDisabled) != mInverted;
    int labelX = 0;
    int labelY = 0;
    if (mFont != nullptr) {
        int labelWidth = mFont->StringWidth(mLabel);
        if (mLabelJustify == 0) {
            labelX = (mWidth - labelWidth) / 2;
        } else if (mLabelJustify == 1) {
            labelX = mWidth - labelWidth;
        }
        int ascent = mFont->GetAscent();
        labelY = (mHeight - ascent / 6 + ascent - 1) / 2;
    }
    g->SetFont(mFont);
    if (mNormalImage == nullptr && mDownImage == nullptr) {
        DrawDefaultLook(g, downLook, labelX, labelY);
    } else {
        DrawImageLook(g, downLook, labelX, labelY);
    }
}

void ButtonWidget::DrawDefaultLook(Graphics* g, bool downLook, int labelX, int labelY) {
    if (!mNoFrame) {
        Line(g, kFace, 0, 0, mWidth, mHeight);
    }
    if (downLook) {
        if (!mNoFrame) {
            Line(g, Color::Black, 0, 0, mWidth - 1, 1);
            Line(g, Color::Black, 0, 0, 1, mHeight - 1);
            Line(g, Color::White, 0, mHeight - 1, mWidth, 1);
            Line(g, Color::White, mWidth - 1, 0, 1, mHeight);
            Line(g, kShade, 1, 1, mWidth - 3, 1);
            Line(g, kShade, 1, 1, 1, mHeight - 3);
        }
        DrawLabel(g, Color::Black, labelX + 1, labelY + 1);
        return;
    }
    if (!mNoFrame) {
        Line(g, Color::White, 0, 0, mWidth - 1, 1);
        Line(g, Color::White, 0, 0, 1, mHeight - 1);
        Line(g, Color::Black, 0, mHeight - 1, mWidth, 1);
        Line(g, Color::Black, mWidth - 1, 0, 1, mHeight);
        Line(g, kShade, 1, mHeight - 2, mWidth - 2, 1);
        Line(g, kShade, mWidth - 2, 1, 1, mHeight - 2);
    }
    DrawLabel(g, GetColor(mIsOver ? 1 : 0), labelX, labelY);
}

void ButtonWidget::DrawImageLook(Graphics* g, bool downLook, int labelX, int labelY) {
    if (downLook) {
        if (HasImageOrRect(mDownImage, mDownRect)) {
            DrawButtonImage(g, mDownImage, mDownRect, 0, 0);
        } else if (HasImageOrRect(mOverImage, mOverRect)) {
            DrawButtonImage(g, mOverImage, mOverRect, 1, 1);
        } else if (HasImageOrRect(mNormalImage, mNormalRect)) {
            DrawButtonImage(g, mNormalImage, mNormalRect, 1, 1);
        }
        DrawLabel(g, GetColor(1), labelX + 1, labelY + 1);
        return;
    }
    bool hasOver = HasImageOrRect(mOverImage, mOverRect);
    if (mDisabled && HasImageOrRect(mDisabledImage, mDisabledRect)) {
        DrawButtonImage(g, mDisabledImage, mDisabledRect, 0, 0);
    } else if (mOverAlpha > 0.0 && hasOver) {
        if (HasImageOrRect(mNormalImage, mNormalRect)) {
            DrawButtonImage(g, mNormalImage, mNormalRect, 0, 0);
        }
        g->SetColorizeImages(true);
        g->SetColor(Color(255, 255, 255, static_cast<int>(mOverAlpha * 255)));
        DrawButtonImage(g, mOverImage, mOverRect, 0, 0);
        g->SetColorizeImages(false);
    } else if ((mIsOver || mIsDown) && hasOver) {
        DrawButtonImage(g, mOverImage, mOverRect, 0, 0);
    } else if (HasImageOrRect(mNormalImage, mNormalRect)) {
        DrawButtonImage(g, mNormalImage, mNormalRect, 0, 0);
    }
    DrawLabel(g, GetColor(mIsOver ? 1 : 0), labelX, labelY);
}

void ButtonWidget::DrawLabel(Graphics* g, const Color& color, int x, int y) {
    g->SetColor(color);
    g->DrawString(mLabel, x, y);
}

} // namespace Vuro
