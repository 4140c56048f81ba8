#pragma once
// Four distances inward from the edges of a rectangle: widget margins and dialog borders.

namespace Vuro {

struct Margins {
    int mLeft = 0;
    int mTop = 0;
    int mRight = 0;
    int mBottom = 0;

    constexpr Margins() = default;
    constexpr Margins(int left, int top, int right, int bottom)
        : mLeft(left), mTop(top), mRight(right), mBottom(bottom) {}
};

} // namespace Vuro
