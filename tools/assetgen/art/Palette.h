#pragma once
// The one palette and the one light of the whole data set. Every painter of the asset tool
// takes its colours from here, so pictures drawn by different steps sit together on screen:
// bright, saturated but not garish colours, a dark warm outline, light from the upper left and
// soft shadows that fall down and to the right.

#include <algorithm>
#include <cstdint>

namespace Vuro::AssetGen::Art {

// A colour with channels 0..1, as cairo takes them.
struct Rgb {
    double r = 0;
    double g = 0;
    double b = 0;

    // `amount` 0 keeps this colour, 1 gives `other`.
    constexpr Rgb Mix(const Rgb& other, double amount) const {
        return {r + (other.r - r) * amount, g + (other.g - g) * amount, b + (other.b - b) * amount};
    }
    constexpr Rgb Lighter(double amount) const { return Mix({1.0, 0.98, 0.9}, amount); }
    constexpr Rgb Darker(double amount) const { return Mix({0.12, 0.06, 0.05}, amount); }
    constexpr bool operator==(const Rgb&) const = default;
};

constexpr Rgb Hex(uint32_t rgb) {
    return {((rgb >> 16) & 0xff) / 255.0, ((rgb >> 8) & 0xff) / 255.0, (rgb & 0xff) / 255.0};
}

namespace Palette {
// Lines
inline constexpr Rgb kOutline = Hex(0x3a2616);
inline constexpr Rgb kShadow = Hex(0x1e1408);
inline constexpr Rgb kWhite = Hex(0xffffff);
inline constexpr Rgb kBlack = Hex(0x000000);
// Sky by day and night
inline constexpr Rgb kSkyTop = Hex(0x3d8fe0);
inline constexpr Rgb kSkyHorizon = Hex(0xbfe6ff);
inline constexpr Rgb kCloud = Hex(0xffffff);
inline constexpr Rgb kCloudShade = Hex(0xc4d6ec);
inline constexpr Rgb kNightTop = Hex(0x0b1238);
inline constexpr Rgb kNightHorizon = Hex(0x3b3f82);
inline constexpr Rgb kNightCloud = Hex(0x5a5f9a);
inline constexpr Rgb kStormTop = Hex(0x2c2f45);
inline constexpr Rgb kStormHorizon = Hex(0x7d7f96);
inline constexpr Rgb kSun = Hex(0xffd23a);
inline constexpr Rgb kSunGlow = Hex(0xfff3a6);
inline constexpr Rgb kMoon = Hex(0xf4f0d2);
inline constexpr Rgb kStar = Hex(0xfff8d0);
// Land
inline constexpr Rgb kGrassLight = Hex(0x9be24a);
inline constexpr Rgb kGrass = Hex(0x5cbf2a);
inline constexpr Rgb kGrassDark = Hex(0x2f8a1c);
inline constexpr Rgb kHillFar = Hex(0x8fc9a0);
inline constexpr Rgb kSoil = Hex(0x9a6a3a);
inline constexpr Rgb kPath = Hex(0xe2c48a);
inline constexpr Rgb kStone = Hex(0xb9b3a8);
inline constexpr Rgb kStoneDark = Hex(0x7d756c);
inline constexpr Rgb kRock = Hex(0x9a8f86);
inline constexpr Rgb kSnow = Hex(0xf6fbff);
inline constexpr Rgb kMountain = Hex(0x7f8fb8);
inline constexpr Rgb kMountainFar = Hex(0xa9b9dc);
inline constexpr Rgb kWater = Hex(0x3aa6d8);
inline constexpr Rgb kWaterDeep = Hex(0x1f6fb0);
inline constexpr Rgb kWaterLight = Hex(0xa6e4f7);
// Plants
inline constexpr Rgb kLeafLight = Hex(0x8fdc3c);
inline constexpr Rgb kLeaf = Hex(0x4aae28);
inline constexpr Rgb kLeafDark = Hex(0x23751c);
inline constexpr Rgb kPine = Hex(0x2c7a3c);
inline constexpr Rgb kPineDark = Hex(0x184f2e);
inline constexpr Rgb kBark = Hex(0x8a5a32);
inline constexpr Rgb kBarkDark = Hex(0x5c3a1e);
inline constexpr Rgb kBlossom = Hex(0xffd6e6);
inline constexpr Rgb kFlowerRed = Hex(0xf0413c);
inline constexpr Rgb kFlowerYellow = Hex(0xffd83a);
inline constexpr Rgb kFlowerBlue = Hex(0x5a8cff);
inline constexpr Rgb kFlowerPink = Hex(0xff7fbf);
// Fruit (kinds 1 apple, 2 pear, 3 plum, 4 orange)
inline constexpr Rgb kApple = Hex(0xe8262a);
inline constexpr Rgb kAppleBlush = Hex(0xff6a3d);
inline constexpr Rgb kPear = Hex(0xc8d83a);
inline constexpr Rgb kPearBlush = Hex(0xf2c23a);
inline constexpr Rgb kPlum = Hex(0x7a2fb8);
inline constexpr Rgb kPlumBloom = Hex(0xb58ae0);
inline constexpr Rgb kOrange = Hex(0xff8c12);
inline constexpr Rgb kOrangeLight = Hex(0xffc04a);
inline constexpr Rgb kUnripe = Hex(0x8ccc3a);
inline constexpr Rgb kRot = Hex(0x6e5a2a);
inline constexpr Rgb kRotSpot = Hex(0x3e3014);
inline constexpr Rgb kGold = Hex(0xffcf2a);
inline constexpr Rgb kGoldLight = Hex(0xfff59a);
inline constexpr Rgb kStem = Hex(0x6a4420);
// Creatures
inline constexpr Rgb kBirdBlue = Hex(0x3f8ee8);
inline constexpr Rgb kBirdBlack = Hex(0x3a3a48);
inline constexpr Rgb kBirdWhite = Hex(0xf2f2ee);
inline constexpr Rgb kKamikaze = Hex(0xe8542a);
inline constexpr Rgb kBeak = Hex(0xffb02a);
inline constexpr Rgb kHedgehog = Hex(0x8a6040);
inline constexpr Rgb kHedgehogFace = Hex(0xe8c8a0);
inline constexpr Rgb kCaterpillar = Hex(0x9ad83a);
inline constexpr Rgb kCaterpillarSpot = Hex(0xf0e040);
// Things
inline constexpr Rgb kWoodLight = Hex(0xd9a560);
inline constexpr Rgb kWood = Hex(0xb07838);
inline constexpr Rgb kWoodDark = Hex(0x7a4c22);
inline constexpr Rgb kParchment = Hex(0xfbeec4);
inline constexpr Rgb kParchmentDark = Hex(0xe6c98a);
inline constexpr Rgb kRoofRed = Hex(0xd8503a);
inline constexpr Rgb kWallCream = Hex(0xf6e6c0);
inline constexpr Rgb kMetal = Hex(0xc8ced6);
inline constexpr Rgb kMetalDark = Hex(0x6d7580);
inline constexpr Rgb kCarRed = Hex(0xe83a3a);
inline constexpr Rgb kButtonGreen = Hex(0x4caf32);
inline constexpr Rgb kButtonOrange = Hex(0xf09a28);
inline constexpr Rgb kButtonBlue = Hex(0x3a86d8);
inline constexpr Rgb kCurtain = Hex(0xb0182c);
inline constexpr Rgb kCurtainDark = Hex(0x5e0714);
inline constexpr Rgb kLightning = Hex(0xe8f4ff);
inline constexpr Rgb kElectric = Hex(0x6ac8ff);
// Text on the field: the caption yellow of the screens.
inline constexpr Rgb kCaptionYellow = Hex(0xf8ff44);
} // namespace Palette

// The light comes from the upper left: highlights sit toward (kLightX, kLightY) of a shape's
// centre (in parts of its radius); shadows fall kShadowDx, kShadowDy pixels down and right.
inline constexpr double kLightX = -0.35;
inline constexpr double kLightY = -0.45;
inline constexpr double kShadowDx = 3.0;
inline constexpr double kShadowDy = 4.0;
inline constexpr double kShadowAlpha = 0.35;
inline constexpr double kShadowBlur = 3.0;
inline constexpr double kOutlineWidth = 1.5;

} // namespace Vuro::AssetGen::Art
