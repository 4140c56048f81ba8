#include "ImageLibFixtures.h"

namespace Vuro::ImageLib {
namespace {

using Fixtures::Argb;
using Fixtures::Bytes;
using Fixtures::Pixel;

std::unique_ptr<Image> Decode(const std::string& bytes) {
    return GetTGAImageFromMemory(bytes.data(), bytes.size());
}

TEST(TGAReader, ReadsTopLeft32BitAndSkipsTheIdText) {
    auto image = GetTGAImage(Fixtures::Path("top_left32.tga"));
    ASSERT_TRUE(image);
    ASSERT_EQ(image->mWidth, 4);
    ASSERT_EQ(image->mHeight, 3);
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 4; ++x) {
            // Stored bytes: blue x*50, green y*60, red 200-x*10, alpha 255-y*100.
            EXPECT_EQ(Pixel(*image, x, y), Argb(255 - y * 100, 200 - x * 10, y * 60, x * 50))
                << x << "," << y;
        }
    }
}

TEST(TGAReader, RefusesOtherLayouts) {
    EXPECT_FALSE(GetTGAImage(Fixtures::Path("depth24.tga")));
    EXPECT_FALSE(GetTGAImage(Fixtures::Path("bottom_left32.tga")));
    const std::string good = Bytes("top_left32.tga");
    ASSERT_TRUE(Decode(good));
    struct Patch {
        size_t offset;
        unsigned char value;
        const char* what;
    } patches[] = {
        {1, 1, "colour-mapped"},    {2, 10, "run-length type"}, {2, 1, "colour-map type"},
        {12, 0, "width 0"},         {14, 0, "height 0"},        {13, 0x41, "width 16641"},
        {15, 0x41, "height 16641"},
    };
    for (const Patch& patch : patches) {
        std::string bytes = good;
        bytes[patch.offset] = static_cast<char>(patch.value);
        if (patch.offset == 13 || patch.offset == 15) {
            bytes[patch.offset - 1] = 1; // 0x4101 > 16384
        }
        EXPECT_FALSE(Decode(bytes)) << patch.what;
    }
}

TEST(TGAReader, ShortFileGivesNull) {
    const std::string good = Bytes("top_left32.tga");
    for (size_t length = 0; length < good.size(); ++length) {
        EXPECT_FALSE(Decode(good.substr(0, length))) << length;
    }
    // A header promising the largest accepted picture over a few bytes of data.
    std::string huge = good;
    huge[12] = 0;
    huge[13] = 0x40;
    huge[14] = 0;
    huge[15] = 0x40;
    EXPECT_FALSE(Decode(huge));
}

} // namespace
} // namespace Vuro::ImageLib
