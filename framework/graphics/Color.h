#pragma once
// A drawing colour: red, green, blue and alpha, each meant to lie in 0..255 (alpha 255 is
// opaque). Colours are plain values; anything that turns one into pixels first brings the
// channels into 0..255 (Clamped, ToInt), so an out-of-range channel never spills into its
// neighbours or past a lookup table.

#include <cstdint>

namespace Vuro {

class Color {
public:
    int mRed;
    int mGreen;
    int mBlue;
    int mAlpha;

    constexpr Color() : mRed(0), mGreen(0), mBlue(0), mAlpha(255) {}
    constexpr Color(int red, int green, int blue) : Color(red, green, blue, 255) {}
    constexpr Color(int red, int green, int blue, int alpha)
        : mRed(red), mGreen(green), mBlue(blue), mAlpha(alpha) {}
    explicit constexpr Color(const int (&rgb)[3]) : Color(rgb[0], rgb[1], rgb[2], 255) {}
    // From 0xAARRGGBB. Alpha bits of 0 read as 255, so 0xRRGGBB is an opaque colour.
    explicit Color(uint32_t argb);

    static const Color Black;
    static const Color White;

    int GetRed() const { return mRed; }
    int GetGreen() const { return mGreen; }
    int GetBlue() const { return mBlue; }
    int GetAlpha() const { return mAlpha; }

    // Every channel limited to 0..255.
    [[nodiscard]] Color Clamped() const;
    // 0xAARRGGBB of the clamped channels: an unmasked out-of-range channel would corrupt its
    // neighbours, so each is limited first.
    [[nodiscard]] uint32_t ToInt() const;

    constexpr bool operator==(const Color& other) const {
        return mRed == other.mRed && mGreen == other.mGreen && mBlue == other.mBlue &&
               mAlpha == other.mAlpha;
    }
    constexpr bool operator!=(const Color& other) const { return !(*this == other); }
};

inline constexpr Color Color::Black{0, 0, 0, 255};
inline constexpr Color Color::White{255, 255, 255, 255};

} // namespace Vuro
