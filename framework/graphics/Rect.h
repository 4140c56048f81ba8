#pragma once
// Rectangles: Rect covers columns x .. x + width - 1 and rows y .. y + height - 1. Clip,
// source and destination rectangles, widget bounds and image cels are Rects. DoubleRect is the
// fractional source rectangle that clipping a stretched or rotated blit produces.

#include <algorithm>

namespace Vuro {

struct Rect {
    int mX = 0;
    int mY = 0;
    int mWidth = 0;
    int mHeight = 0;

    constexpr Rect() = default;
    constexpr Rect(int x, int y, int width, int height)
        : mX(x), mY(y), mWidth(width), mHeight(height) {}

    // The common part of two rectangles. A result of width or height 0 is possible (rectangles
    // that touch); when the two do not even touch the result is (0, 0, 0, 0).
    [[nodiscard]] constexpr Rect Intersection(const Rect& other) const {
        const int left = std::max(mX, other.mX);
        const int right = std::min(mX + mWidth, other.mX + other.mWidth);
        const int top = std::max(mY, other.mY);
        const int bottom = std::min(mY + mHeight, other.mY + other.mHeight);
        if (right - left < 0 || bottom - top < 0) {
            return Rect();
        }
        return Rect(left, top, right - left, bottom - top);
    }

    // No pixel inside: a width or height of 0 or less.
    [[nodiscard]] constexpr bool IsEmpty() const { return mWidth <= 0 || mHeight <= 0; }

    constexpr bool operator==(const Rect& other) const = default;
};

struct DoubleRect {
    double mX = 0;
    double mY = 0;
    double mWidth = 0;
    double mHeight = 0;
};

} // namespace Vuro
