#include "framework/graphics/PixelBlend.h"

#include <gtest/gtest.h>

namespace Vuro {
namespace {

TEST(PixelBlend, NormalCompositingByHand) {
    // Over opaque black: newA 255, f = 255 * 128 / 255 = 128; red (255 * 128) >> 8 = 127,
    // green (128 * 128) >> 8 = 64, blue (64 * 128) >> 8 = 32.
    EXPECT_EQ(Blend::NormalRef(0xFF000000, 0x80FF8040, 128), 0xFF7F4020u);
    // Over transparent: newA = 128, f = 255 * 128 / 128 = 255; 255 -> 254, 128 -> 127, 64 -> 63.
    EXPECT_EQ(Blend::NormalRef(0x00000000, 0x80FF8040, 128), 0x80FE7F3Fu);
    // Fields in place: red and green sum before the shift (1 * 128 + 1 * 128) >> 8 = 1, blue
    // shifts each term (0 + 0).
    EXPECT_EQ(Blend::NormalRef(0xFF010101, 0xFF010101, 128), 0xFF010100u);
    EXPECT_EQ(Blend::NormalRef(0x12345678, 0xFFFFFFFF, 0), 0x12345678u);
}

TEST(PixelBlend, OpaqueDestinationByHand) {
    // d = (128, 64, 32), s = white at 128: red (128 * 128 + 255 * 128) >> 8 = 191, green
    // (64 + 255) * 128 >> 8 = 159, blue 16 + 127 = 143.
    EXPECT_EQ(Blend::OpaqueRef(0xFF804020, 0x80FFFFFF, 128), 0xFFBF9F8Fu);
    EXPECT_EQ(Blend::OpaqueRef(0xFF804020, 0x80204060, 128), 0xFF504040u);
}

TEST(PixelBlend, TintedByHand) {
    // Colour (255, 128, 0): f = 255; red ((0xFF0000 * 255 >> 8) * 255 >> 8) & 0xFF0000 = 253,
    // green 0xFF00 * 255 * 128 >> 16 = 0x7F00, blue 0.
    EXPECT_EQ(Blend::TintedRef(0xFF000000, 0xFFFFFFFF, Color(255, 128, 0)), 0xFFFD7F00u);
    // Colour alpha 128: sa = 255 * 128 / 255 = 128, f = 128, red 127.
    EXPECT_EQ(Blend::TintedRef(0xFF000000, 0xFFFF0000, Color(255, 255, 255, 128)), 0xFF7F0000u);
    // Source alpha 0 or colour alpha 0 changes nothing.
    EXPECT_EQ(Blend::TintedRef(0xFF123456, 0x00FFFFFF, Color(1, 2, 3)), 0xFF123456u);
    EXPECT_EQ(Blend::TintedRef(0xFF123456, 0xFFFFFFFF, Color(1, 2, 3, 0)), 0xFF123456u);
}

TEST(PixelBlend, AdditiveFourFormsByHand) {
    uint8_t table[512];
    for (int i = 0; i < 512; ++i) {
        table[i] = static_cast<uint8_t>(i < 256 ? i : 255);
    }
    const uint32_t d = 0x80C81000; // alpha 128 kept; (200, 16, 0)
    // White, no alpha: 200 + 100 saturates, 16 + 32, 0 + 255.
    EXPECT_EQ(Blend::AdditiveRef(d, 0xFF6420FF, Color::White, false, table), 0x80FF30FFu);
    // White with alpha 128: 100 * 128 >> 8 = 50, 16, 127.
    EXPECT_EQ(Blend::AdditiveRef(d, 0x806420FF, Color::White, true, table), 0x80FA207Fu);
    // Tinted (255, 128, 64): 100 * 255 >> 8 = 99 (saturates), 32 * 128 >> 8 = 16, 63.
    const Color tint(255, 128, 64);
    EXPECT_EQ(Blend::AdditiveRef(d, 0xFF6420FF, tint, false, table), 0x80FF203Fu);
    // Tinted with alpha 128: 100 * 255 * 128 >> 16 = 49, 32 * 128 * 128 >> 16 = 8,
    // blue (255 * 64 >> 8) * 128 >> 8 = 31.
    EXPECT_EQ(Blend::AdditiveRef(d, 0x806420FF, tint, true, table), 0x80F9181Fu);
}

TEST(PixelBlend, PackedMixMatchesTheFieldFormula) {
    for (uint32_t f = 1; f < 256; ++f) {
        for (const uint32_t d : {0x00000000u, 0xFFFFFFFFu, 0x12FE01A5u, 0x00010101u}) {
            for (const uint32_t s : {0x00000000u, 0xFFFFFFFFu, 0x7F01FE33u, 0x00FEFEFEu}) {
                ASSERT_EQ(Blend::MixFields(d, s, f), Blend::MixFieldsRef(d, s, f));
            }
        }
    }
}

} // namespace
} // namespace Vuro
