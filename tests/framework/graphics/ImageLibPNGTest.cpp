#include "ImageLibFixtures.h"

#include <functional>

namespace Vuro::ImageLib {
namespace {

using Fixtures::Argb;
using Fixtures::Bytes;
using Fixtures::Pixel;

void ExpectPixels(const std::string& fixture, int width, int height,
                  const std::function<uint32_t(int, int)>& expected) {
    auto image = GetPNGImage(Fixtures::Path(fixture));
    ASSERT_TRUE(image) << fixture;
    ASSERT_EQ(image->mWidth, width) << fixture;
    ASSERT_EQ(image->mHeight, height) << fixture;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            ASSERT_EQ(Pixel(*image, x, y), expected(x, y)) << fixture << " " << x << "," << y;
        }
    }
}

uint32_t Rgba8(int x, int y) {
    return Argb(255 - x * 20, x * 30, y * 40, (x + y) * 10);
}

// 16-bit samples hold v in the high byte and 255 - v in the low byte: cutting to 8 bits keeps v.
uint32_t Rgb16(int x, int y) {
    int v = (x * 40 + y * 9) & 0xFF;
    return Argb(255, v, 255 - v, (v * 3) & 0xFF);
}

TEST(PNGReader, TrueColourWithAlpha) {
    ExpectPixels("rgba8.png", 7, 5, Rgba8);
    ExpectPixels("rgba8_interlaced.png", 7, 5, Rgba8);
}

TEST(PNGReader, SixteenBitSamplesAreCutToEightBits) {
    ExpectPixels("rgb16.png", 6, 4, Rgb16);
    ExpectPixels("rgb16_interlaced.png", 6, 4, Rgb16);
}

TEST(PNGReader, LowBitPaletteWithTransparencyChunk) {
    const uint32_t colors[5][4] = {{0, 255, 0, 0},
                                   {128, 0, 255, 0},
                                   {200, 0, 0, 255},
                                   {255, 10, 20, 30},
                                   {255, 250, 240, 230}};
    ExpectPixels("palette4_trns.png", 9, 3, [&](int x, int y) {
        const uint32_t* c = colors[(x + y) % 5];
        return Argb(c[0], c[1], c[2], c[3]);
    });
}

TEST(PNGReader, GreyBecomesRgb) {
    ExpectPixels("grey8.png", 7, 5, [](int x, int y) {
        int g = x * 20 + y;
        return Argb(255, g, g, g);
    });
    ExpectPixels("grey2.png", 5, 2, [](int x, int y) {
        int g = (x + y) % 4 * 85;
        return Argb(255, g, g, g);
    });
    ExpectPixels("grey_alpha8.png", 4, 3, [](int x, int y) {
        int g = x * 30;
        return Argb(y * 50, g, g, g);
    });
}

TEST(PNGReader, DamagedFilesGiveNull) {
    std::string good = Bytes("rgba8.png");
    ASSERT_TRUE(GetPNGImageFromMemory(good.data(), good.size()));
    for (size_t length = 0; length + 12 < good.size(); length += 7) {
        EXPECT_FALSE(GetPNGImageFromMemory(good.data(), length)) << length;
    }
    std::string badCrc = good;
    badCrc[20] = static_cast<char>(badCrc[20] ^ 1); // inside IHDR
    EXPECT_FALSE(GetPNGImageFromMemory(badCrc.data(), badCrc.size()));
    EXPECT_FALSE(GetPNGImage(Fixtures::Path("no_such_file.png")));
}

TEST(PNGReader, SizeLimit) {
    EXPECT_FALSE(GetPNGImage(Fixtures::Path("too_wide.png")));
    auto widest = GetPNGImage(Fixtures::Path("widest.png"));
    ASSERT_TRUE(widest);
    EXPECT_EQ(widest->mWidth, kMaxDimension);
    EXPECT_EQ(Fixtures::Pixel(*widest, 0, 0), Argb(255, 0, 0, 0));
    EXPECT_EQ(Fixtures::Pixel(*widest, kMaxDimension - 1, 0), Argb(255, 255, 255, 255));
}

TEST(PNGWriter, WriteThenReadIsExact) {
    Fixtures::TempFolder folder;
    Image image(13, 6);
    for (int y = 0; y < 6; ++y) {
        for (int x = 0; x < 13; ++x) {
            // Colour bits under alpha 0 must survive too: nothing is premultiplied.
            image.mBits[y * 13 + x] = Argb(x * 19 + y, x * 7, 255 - y * 40, (x * y * 11) & 0xFF);
        }
    }
    ASSERT_TRUE(WritePNGImage(folder / "out.png", image));
    auto back = GetPNGImage(folder / "out.png");
    ASSERT_TRUE(back);
    ASSERT_EQ(back->mWidth, 13);
    ASSERT_EQ(back->mHeight, 6);
    for (int i = 0; i < 13 * 6; ++i) {
        ASSERT_EQ(back->mBits[i], image.mBits[i]) << i;
    }
    EXPECT_FALSE(WritePNGImage(folder / "missing/out.png", image));
    EXPECT_FALSE(WritePNGImage(folder / "empty.png", Image(0, 0)));
}

} // namespace
} // namespace Vuro::ImageLib
