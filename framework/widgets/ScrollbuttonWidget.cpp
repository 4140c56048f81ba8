#include "framework/widgets/ScrollbuttonWidget.h"

#include "framework/graphics/Graphics.h"
#include "framework/widgets/ButtonLook.h"

namespace Vuro {

using namespace ButtonLook;

ScrollbuttonWidget::ScrollbuttonWidget(int id, ButtonListener* listener, int arrowType)
    : ButtonWidget(id, listener), mArrowType(arrowType) {}

void ScrollbuttonWidget::Draw(Graphics* g) {
    Line(g, kFace, 0, 0, mWidth, mHeight);
    int d = 0; // the arrow's shift while pressed
    if (IsButtonDown()) {
        g->SetColor(kShade);
        g->DrawRect(0, 0, mWidth - 1, mHeight - 1);
        d = 1;
    } else {
        Line(g, Color::White, 1, 1, mWidth - 2, 1);
        Line(g, Color::White, 1, 1, 1, mHeight - 2);
        Line(g, Color::Black, 0, mHeight - 1, mWidth, 1);
        Line(g, Color::Black, mWidth - 1, 0, 1, mHeight);
        Line(g, kShade, 1, mHeight - 2, mWidth - 2, 1);
        Line(g, kShade, mWidth - 2, 1, 1, mHeight - 2);
    }
    g->SetColor(mDisabled ? kShade : Color::Black);
    bool horizontal = mHorizontal || mArrowType == kArrowLeft || mArrowType == kArrowRight;
    for (int i = 0; i < 4; ++i) {
        int length = 2 * i + 1;
        if (!horizontal) {
            bool up = mId == 0 || mArrowType == kArrowUp;
            int y = (mHeight - 4) / 2 + (up ? i : 3 - i) + d;
            g->FillRect(mWidth / 2 - i + d - 1, y, length, 1);
        } else {
            bool left = mId == 0 || mArrowType == kArrowLeft;
            int x = (mWidth - 4) / 2 + (left ? i : 3 - i) + d;
            g->FillRect(x, mHeight / 2 - i + d - 1, 1, length);
        }
    }
}

} // namespace Vuro
