// The rows a frame reaches the window through: formats widened and narrowed by hand-worked
// values, nearest-pixel scaling into a rectangle, nothing written outside it.

#include "platform/PictureRows.h"

#include <gtest/gtest.h>

#include <vector>

namespace Vuro::Platform {
namespace {

constexpr PixelFormat kFormatBgr{32, 0x0000FF, 0x00FF00, 0xFF0000};

TEST(PictureRowsTest, EachFormatBecomesEveryOther) {
    struct Case {
        PixelFormat from;
        uint32_t pixel;
        PixelFormat to;
        uint32_t expected;
    };
    const Case kCases[] = {
        // 5 and 6 bits widen by repeating their top bits: full channels become 255.
        {kFormat565, 0xF800, kFormat888, 0xFF0000},
        {kFormat565, 0x07E0, kFormat888, 0x00FF00},
        {kFormat565, 0x001F, kFormat888, 0x0000FF},
        {kFormat565, 0x8410, kFormat888, 0x848284},
        {kFormat565, 0x0821, kFormat888, 0x080408},
        {kFormat565, 0xF800, kFormatBgr, 0x0000FF},
        {kFormat565, 0x8410, kFormatBgr, 0x848284},
        {kFormat555, 0x7C00, kFormat888, 0xFF0000},
        {kFormat555, 0x4210, kFormat888, 0x848484},
        // Narrowing drops the low bits.
        {kFormat888, 0xFF8040, kFormat565, 0xFC08},
        {kFormat888, 0xFF8040, kFormat555, 0x7E08},
        {kFormat565, 0x8410, kFormat555, 0x4210},
        {kFormat565, 0x8410, kFormat565, 0x8410},
        {kFormat888, 0x123456, kFormatBgr, 0x563412},
        {kFormat888, 0xAB123456, kFormat888, 0xAB123456}, // the same format is copied whole
    };
    for (const Case& c : kCases) {
        uint32_t in[2] = {c.pixel, c.pixel}; // read as two 16-bit or one 32-bit pixel
        uint32_t out = 0;
        CopyPicture(PictureRows{in, 4, 1, 1, c.from}, PictureTarget{&out, 4, c.to, 0, 0, 1, 1});
        const uint32_t mask = c.to.bitCount == 16 ? 0xFFFF : 0xFFFFFFFF;
        EXPECT_EQ(out & mask, c.expected) << std::hex << c.pixel << " to " << c.to.redMask;
    }
}

// The 16-bit screen on the usual desktop has a row loop of its own (built for two vector
// widths): every 565 pixel, in rows whose width leaves a tail after the vector steps.
TEST(PictureRowsTest, Every565PixelWidensOnTheUsualDesktopByRepeatingTopBits) {
    constexpr int kWidth = 253;
    constexpr int kHeight = 65536 / kWidth + 1;
    std::vector<uint16_t> picture(kWidth * kHeight);
    for (size_t i = 0; i < picture.size(); ++i) {
        picture[i] = static_cast<uint16_t>(i);
    }
    std::vector<uint32_t> target(picture.size());
    CopyPicture(PictureRows{picture.data(), kWidth * 2, kWidth, kHeight, kFormat565},
                PictureTarget{target.data(), kWidth * 4, kFormat888, 0, 0, kWidth, kHeight});
    for (uint32_t p = 0; p < 65536; ++p) {
        const uint32_t r = p >> 11, g = (p >> 5) & 63, b = p & 31;
        const uint32_t expected =
            (r << 3 | r >> 2) << 16 | (g << 2 | g >> 4) << 8 | (b << 3 | b >> 2);
        ASSERT_EQ(target[p], expected) << std::hex << p;
    }
}

// A 3 x 2 picture into the 6 x 3 rectangle at (1, 1) of an 8 x 5 target, and shrunk into 2 x 1.
TEST(PictureRowsTest, ScaledToTheNearestPixelInsideTheRectangleOnly) {
    const uint16_t picture[2][4] = {{0x0001, 0x0002, 0x0003, 0}, {0x0004, 0x0005, 0x0006, 0}};
    std::vector<uint16_t> target(8 * 5, 0xDEAD);
    CopyPicture(PictureRows{picture, 8, 3, 2, kFormat565},
                PictureTarget{target.data(), 16, kFormat565, 1, 1, 6, 3});
    const std::vector<uint16_t> expected = {
        0xDEAD, 0xDEAD, 0xDEAD, 0xDEAD, 0xDEAD, 0xDEAD, 0xDEAD, 0xDEAD, //
        0xDEAD, 0x0001, 0x0001, 0x0002, 0x0002, 0x0003, 0x0003, 0xDEAD, //
        0xDEAD, 0x0001, 0x0001, 0x0002, 0x0002, 0x0003, 0x0003, 0xDEAD, //
        0xDEAD, 0x0004, 0x0004, 0x0005, 0x0005, 0x0006, 0x0006, 0xDEAD, //
        0xDEAD, 0xDEAD, 0xDEAD, 0xDEAD, 0xDEAD, 0xDEAD, 0xDEAD, 0xDEAD};
    EXPECT_EQ(target, expected);

    // Converted and spread: columns 0 and 1 of the top row (blue 1 and 2 of 31).
    uint32_t shrunk[2] = {};
    CopyPicture(PictureRows{picture, 8, 3, 2, kFormat565},
                PictureTarget{shrunk, 8, kFormat888, 0, 0, 2, 1});
    EXPECT_EQ(shrunk[0], 0x000008u);
    EXPECT_EQ(shrunk[1], 0x000010u);
}

} // namespace
} // namespace Vuro::Platform
