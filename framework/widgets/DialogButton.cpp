#include "framework/widgets/DialogButton.h"

#include "framework/fonts/Font.h"
#include "framework/graphics/Graphics.h"

namespace Vuro {

DialogButton::DialogButton(Image* componentImage, int id, ButtonListener* listener)
    : ButtonWidget(id, listener), mComponentImage(componentImage) {
    mWantsHandCursor = true;
    mColors = {Color::White, Color::White};
}

void DialogButton::Draw(Graphics* g) {
    if (mComponentImage == nullptr) {
        ButtonWidget::Draw(g);
        return;
    }
    EnsureLabelFont(12, 1);
    bool down = IsButtonDown();
    g->PushState();
    Rect box(0, 0, mWidth, mHeight);
    if (mNormalRect.mWidth != 0) {
        const Rect& src = down ? mDownRect : (mIsOver ? mOverRect : mNormalRect);
        g->DrawImageBoxSrc(src, box, mComponentImage);
        if (down) {
            g->Translate(mTranslateX, mTranslateY); // only the label moves
        }
    } else {
        if (down) {
            g->Translate(mTranslateX, mTranslateY); // box and label move
        }
        g->DrawImageBox(box, mComponentImage);
    }
    g->SetColorizeImages(true);
    g->SetColor(GetColor(mIsOver ? 1 : 0));
    if (mFont != nullptr) {
        int ascent = mFont->GetAscent();
        g->SetFont(mFont);
        // The padding is read before the label is measured, each in a statement of its own:
        // measuring may prepare a font whose tags or size changed, and so change its padding.
        const int padding = mFont->GetAscentPadding();
        const int labelWidth = mFont->StringWidth(mLabel);
        g->DrawString(mLabel, mTextOffsetX + (mWidth - labelWidth) / 2,
                      mTextOffsetY + (mHeight - ascent / 6 - padding + ascent - 1) / 2);
    }
    g->SetColorizeImages(false);
    g->PopState();
}

} // namespace Vuro
