#pragma once
// The arrow button at either end of a scroll bar, drawn from lines: a grey face with a raised
// or pressed frame and a small arrow of four lines (grey while disabled). The arrow points by
// arrowType (1 up, 2 down, 3 left, 4 right); with another type an id of 0 points up (or left
// when horizontal) and any other id down (or right).

#include "framework/widgets/ButtonWidget.h"

namespace Vuro {

class ScrollbuttonWidget : public ButtonWidget {
public:
    static constexpr int kArrowUp = 1;
    static constexpr int kArrowDown = 2;
    static constexpr int kArrowLeft = 3;
    static constexpr int kArrowRight = 4;

    ScrollbuttonWidget(int id, ButtonListener* listener, int arrowType);

    void Draw(Graphics* g) override;

    bool mHorizontal = false;
    int mArrowType;
};

} // namespace Vuro
