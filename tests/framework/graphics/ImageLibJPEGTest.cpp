#include "ImageLibFixtures.h"
#include "support/JpegBytes.h"

#include <cmath>

namespace Vuro::ImageLib {
namespace {

using Fixtures::Argb;
using Fixtures::Bytes;

int Channel(uint32_t pixel, int shift) {
    return static_cast<int>((pixel >> shift) & 0xFF);
}

TEST(JPEGReader, ColourFileDecodesCloseToItsColour) {
    auto image = GetJPEGImage(Fixtures::Path("rgb.jpg"));
    ASSERT_TRUE(image);
    ASSERT_EQ(image->mWidth, 16);
    ASSERT_EQ(image->mHeight, 16);
    for (int i = 0; i < 256; ++i) {
        uint32_t p = image->mBits[i];
        EXPECT_EQ(p >> 24, 255u);
        EXPECT_NEAR(Channel(p, 16), 200, 3);
        EXPECT_NEAR(Channel(p, 8), 100, 3);
        EXPECT_NEAR(Channel(p, 0), 50, 3);
    }
}

TEST(JPEGReader, GreyscaleFileComesOutAsEqualRgb) {
    auto image = GetJPEGImage(Fixtures::Path("grey.jpg"));
    ASSERT_TRUE(image);
    ASSERT_EQ(image->mWidth * image->mHeight, 256);
    for (int i = 0; i < 256; ++i) {
        uint32_t p = image->mBits[i];
        EXPECT_EQ(p >> 24, 255u);
        EXPECT_EQ(Channel(p, 16), Channel(p, 0));
        EXPECT_EQ(Channel(p, 8), Channel(p, 0));
        EXPECT_NEAR(Channel(p, 0), 128, 2);
    }
}

TEST(JPEGReader, CmykAndDamagedFilesGiveNull) {
    EXPECT_FALSE(GetJPEGImage(Fixtures::Path("cmyk.jpg")));
    EXPECT_FALSE(GetJPEGImage(Fixtures::Path("no_such_file.jpg")));
    std::string good = Bytes("rgb.jpg");
    EXPECT_FALSE(GetJPEGImageFromMemory(good.data(), 0));
    EXPECT_FALSE(GetJPEGImageFromMemory(good.data(), 100)); // cut inside the tables
    std::string notJpeg = "\xFF\xD8 this is not a picture";
    EXPECT_FALSE(GetJPEGImageFromMemory(notJpeg.data(), notJpeg.size()));
}

// The fixture with its frame header claiming width x height and its data replaced by `data`.
std::string WithFrameAndData(int width, int height, const std::string& data) {
    return Test::JpegWithFrameAndData(Bytes("rgb.jpg"), width, height, data);
}

TEST(JPEGReader, AFileWhoseDataEndsOrTurnsToJunkFails) {
    // libjpeg makes up the rest of a picture whose data ends or is corrupt; a few bytes under
    // a header declaring 10497 x 6670 pixels would cost seconds and hundreds of megabytes.
    // Decoding stops at the first sign and the file is refused.
    const std::string good = Bytes("rgb.jpg");
    std::string junk;
    for (int i = 0; i < 20; ++i) {
        junk += static_cast<char>((i * 97 + 13) % 0xFF);
    }
    std::string junkInside = good;
    const size_t scan = good.find("\xFF\xDA");
    ASSERT_NE(scan, std::string::npos);
    for (size_t i = scan + 14; i < scan + 30 && i + 2 < good.size(); ++i) {
        junkInside[i] = '\xFF';
    }
    struct Case {
        const char* what;
        std::string bytes;
    };
    const Case cases[] = {
        {"cut short", good.substr(0, good.size() - 6)},
        {"junk inside the data", junkInside},
        {"data that ends under a huge picture", WithFrameAndData(10497, 6670, "")},
        {"junk under a huge picture", WithFrameAndData(11016, 2561, junk)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_GT(c.bytes.size(), 100u);
        EXPECT_FALSE(GetJPEGImageFromMemory(c.bytes.data(), c.bytes.size()));
    }
    EXPECT_TRUE(GetJPEGImageFromMemory(good.data(), good.size()));
}

TEST(JPEGWriter, WriteThenReadIsClose) {
    Fixtures::TempFolder folder;
    Image image(32, 24);
    for (int y = 0; y < 24; ++y) {
        for (int x = 0; x < 32; ++x) {
            image.mBits[y * 32 + x] = Argb(x * 8, x * 8, y * 10, 128 + x * 2 - y * 3);
        }
    }
    ASSERT_TRUE(WriteJPEGImage(folder / "out.jpg", image));
    auto back = GetJPEGImage(folder / "out.jpg");
    ASSERT_TRUE(back);
    ASSERT_EQ(back->mWidth, 32);
    ASSERT_EQ(back->mHeight, 24);
    double total = 0;
    for (int i = 0; i < 32 * 24; ++i) {
        EXPECT_EQ(back->mBits[i] >> 24, 255u) << "alpha is not stored";
        for (int shift : {16, 8, 0}) {
            int error = std::abs(Channel(back->mBits[i], shift) - Channel(image.mBits[i], shift));
            EXPECT_LE(error, 16) << i;
            total += error;
        }
    }
    EXPECT_LT(total / (32 * 24 * 3), 3.0);
    EXPECT_FALSE(WriteJPEGImage(folder / "missing/out.jpg", image));
}

} // namespace
} // namespace Vuro::ImageLib
