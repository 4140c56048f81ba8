#include "ImageLibFixtures.h"

#include <fstream>

namespace Vuro::ImageLib {
namespace {

using Fixtures::Argb;
using Fixtures::Pixel;
using Fixtures::TempFolder;

// rgba8.png and grey8.png are both 7 x 5; small.png is 3 x 3, plain.gif 10 x 9,
// top_left32.tga 4 x 3, rgb.jpg 16 x 16.
uint32_t Rgba8(int x, int y) {
    return Argb(255 - x * 20, x * 30, y * 40, (x + y) * 10);
}
int Grey8(int x, int y) {
    return x * 20 + y;
}

int WidthOf(const std::unique_ptr<Image>& image) {
    return image ? image->mWidth : -1;
}

TEST(GetImage, ExtensionsAreTriedInOrderAndAnExplicitOneSelectsOneReader) {
    TempFolder folder;
    folder.Copy("small.png", "pic.png");
    folder.Copy("plain.gif", "pic.gif");
    EXPECT_EQ(WidthOf(GetImage(folder / "pic", false)), 3);
    EXPECT_EQ(WidthOf(GetImage(folder / "pic.GIF", false)), 10);
    EXPECT_EQ(WidthOf(GetImage(folder / "pic.gif", false)), 10);
    EXPECT_EQ(WidthOf(GetImage(folder / "pic.bmp", false)), -1);

    folder.Copy("rgb.jpg", "pic.jpg");
    EXPECT_EQ(WidthOf(GetImage(folder / "pic", false)), 16);
    folder.Copy("top_left32.tga", "pic.tga");
    EXPECT_EQ(WidthOf(GetImage(folder / "pic", false)), 4);
}

TEST(GetImage, AFileThatDoesNotDecodeLetsTheNextReaderTry) {
    TempFolder folder;
    std::ofstream(folder / "pic.tga") << "not a picture";
    folder.Copy("plain.gif", "pic.gif");
    EXPECT_EQ(WidthOf(GetImage(folder / "pic", false)), 10);
    EXPECT_EQ(WidthOf(GetImage(folder / "pic.tga", false)), -1);
}

TEST(GetImage, NamesMatchWithoutRegardToCase) {
    TempFolder folder;
    folder.Copy("small.png", "Pic.PNG");
    EXPECT_EQ(WidthOf(GetImage(folder / "pic", false)), 3);
    EXPECT_EQ(WidthOf(GetImage(folder / "PIC.png", false)), 3);
}

TEST(GetImage, AlphaImageBeforeTheName) {
    TempFolder folder;
    folder.Copy("rgba8.png", "pic.png");
    folder.Copy("grey8.png", "_pic.png");
    for (const std::string& name : {std::string("pic"), std::string("pic.png")}) {
        auto image = GetImage(folder / name, true);
        ASSERT_TRUE(image) << name;
        for (int y = 0; y < 5; ++y) {
            for (int x = 0; x < 7; ++x) {
                uint32_t expected = (Rgba8(x, y) & 0x00FFFFFFu) | uint32_t(Grey8(x, y)) << 24;
                ASSERT_EQ(Pixel(*image, x, y), expected) << name << " " << x << "," << y;
            }
        }
    }
    // Without the flag the alpha image is not looked at.
    auto plain = GetImage(folder / "pic", false);
    ASSERT_TRUE(plain);
    EXPECT_EQ(Pixel(*plain, 3, 2), Rgba8(3, 2));
}

TEST(GetImage, AlphaImageAfterTheNameAndPrecedence) {
    TempFolder folder;
    folder.Copy("rgba8.png", "pic.png");
    folder.Copy("grey8.png", "pic_.png");
    auto image = GetImage(folder / "pic", true);
    ASSERT_TRUE(image);
    EXPECT_EQ(Pixel(*image, 4, 3), (Rgba8(4, 3) & 0x00FFFFFFu) | uint32_t(Grey8(4, 3)) << 24);
    // With an extension the "_" goes after it, so "pic.png_" is looked for and not found.
    image = GetImage(folder / "pic.png", true);
    ASSERT_TRUE(image);
    EXPECT_EQ(Pixel(*image, 4, 3), Rgba8(4, 3));

    // The "_" before the name is looked for first.
    folder.Copy("rgba8.png", "_pic.png");
    image = GetImage(folder / "pic", true);
    ASSERT_TRUE(image);
    EXPECT_EQ(Pixel(*image, 4, 3), (Rgba8(4, 3) & 0x00FFFFFFu) | uint32_t((4 + 3) * 10) << 24);
}

TEST(GetImage, AlphaImageAloneGivesWhite) {
    TempFolder folder;
    folder.Copy("grey8.png", "_pic.png");
    auto image = GetImage(folder / "pic", true);
    ASSERT_TRUE(image);
    ASSERT_EQ(image->mWidth, 7);
    for (int y = 0; y < 5; ++y) {
        for (int x = 0; x < 7; ++x) {
            ASSERT_EQ(Pixel(*image, x, y), 0x00FFFFFFu | uint32_t(Grey8(x, y)) << 24);
        }
    }
    EXPECT_FALSE(GetImage(folder / "other", true));
}

TEST(GetImage, AlphaImageOfAnotherSizeIsIgnored) {
    TempFolder folder;
    folder.Copy("rgba8.png", "pic.png");
    folder.Copy("small.png", "_pic.png");
    auto image = GetImage(folder / "pic", true);
    ASSERT_TRUE(image);
    ASSERT_EQ(image->mWidth, 7);
    EXPECT_EQ(Pixel(*image, 6, 4), Rgba8(6, 4));
}

TEST(GetImage, BackslashSeparatedPaths) {
    TempFolder folder;
    folder.Copy("rgba8.png", "pic.png");
    folder.Copy("grey8.png", "_pic.png");
    std::string windowsStyle = folder / "";
    windowsStyle.back() = '\\';
    auto image = GetImage(windowsStyle + "pic", true);
    ASSERT_TRUE(image);
    EXPECT_EQ(Pixel(*image, 1, 1), (Rgba8(1, 1) & 0x00FFFFFFu) | uint32_t(Grey8(1, 1)) << 24);
}

} // namespace
} // namespace Vuro::ImageLib
