#include "framework/graphics/Color.h"

#include <algorithm>

namespace Vuro {

namespace {

int ClampChannel(int value) {
    return std::clamp(value, 0, 255);
}

} // namespace

Color::Color(uint32_t argb)
    : mRed(static_cast<int>((argb >> 16) & 0xFF)), mGreen(static_cast<int>((argb >> 8) & 0xFF)),
      mBlue(static_cast<int>(argb & 0xFF)), mAlpha(static_cast<int>(argb >> 24)) {
    if (mAlpha == 0) {
        mAlpha = 255;
    }
}

Color Color::Clamped() const {
    return Color(ClampChannel(mRed), ClampChannel(mGreen), ClampChannel(mBlue),
                 ClampChannel(mAlpha));
}

uint32_t Color::ToInt() const {
    const Color c = Clamped();
    return (static_cast<uint32_t>(c.mAlpha) << 24) | (static_cast<uint32_t>(c.mRed) << 16) |
           (static_cast<uint32_t>(c.mGreen) << 8) | static_cast<uint32_t>(c.mBlue);
}

} // namespace Vuro
