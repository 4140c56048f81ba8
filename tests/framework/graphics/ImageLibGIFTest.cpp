#include "ImageLibFixtures.h"

#include <utility>
#include <vector>

namespace Vuro::ImageLib {
namespace {

using Fixtures::Argb;
using Fixtures::Bytes;
using Fixtures::Pixel;

// The palettes of make_fixtures.py: entry i of a table with the given salt.
uint32_t PaletteColor(int i, int salt) {
    return Argb(255, i * 37 + salt, i * 91 + 2 * salt, i * 53 + 3 * salt);
}

int PlainIndex(int x, int y) {
    return (x * 3 + y * 5) % 16;
}

std::unique_ptr<Image> Decode(const std::string& bytes) {
    return GetGIFImageFromMemory(bytes.data(), bytes.size());
}

void ExpectPlainPicture(const Image& image) {
    ASSERT_EQ(image.mWidth, 10);
    ASSERT_EQ(image.mHeight, 9);
    for (int y = 0; y < 9; ++y) {
        for (int x = 0; x < 10; ++x) {
            ASSERT_EQ(Pixel(image, x, y), PaletteColor(PlainIndex(x, y), 0)) << x << "," << y;
        }
    }
}

TEST(GIFReader, PlainAndInterlacedTwinsDecodeToTheSameRows) {
    auto plain = GetGIFImage(Fixtures::Path("plain.gif"));
    ASSERT_TRUE(plain);
    ExpectPlainPicture(*plain);
    auto interlaced = GetGIFImage(Fixtures::Path("interlaced.gif"));
    ASSERT_TRUE(interlaced);
    ExpectPlainPicture(*interlaced);
}

TEST(GIFReader, TransparentIndexBecomesTransparentBlack) {
    auto image = GetGIFImage(Fixtures::Path("transparent.gif"));
    ASSERT_TRUE(image);
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 8; ++x) {
            int index = (x + y) % 8;
            uint32_t expected = index == 5 ? 0u : PaletteColor(index, 0);
            EXPECT_EQ(Pixel(*image, x, y), expected) << x << "," << y;
        }
    }
}

TEST(GIFReader, LocalColourTableReplacesTheGlobalOne) {
    auto image = GetGIFImage(Fixtures::Path("local_palette.gif"));
    ASSERT_TRUE(image);
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 6; ++x) {
            EXPECT_EQ(Pixel(*image, x, y), PaletteColor((x + 2 * y) % 4, 100)) << x << "," << y;
        }
    }
}

TEST(GIFReader, LongRunOfKwKwKCodes) {
    auto image = GetGIFImage(Fixtures::Path("run_kwkwk.gif"));
    ASSERT_TRUE(image);
    ASSERT_EQ(image->mWidth * image->mHeight, 120);
    for (int i = 0; i < 120; ++i) {
        ASSERT_EQ(image->mBits[i], PaletteColor(1, 0)) << i;
    }
}

TEST(GIFReader, CodesGrowToTwelveBitsAndTheTableIsCleared) {
    auto image = GetGIFImage(Fixtures::Path("codes12.gif"));
    ASSERT_TRUE(image);
    ASSERT_EQ(image->mWidth, 96);
    ASSERT_EQ(image->mHeight, 80);
    for (int y = 0; y < 80; ++y) {
        for (int x = 0; x < 96; ++x) {
            ASSERT_EQ(Pixel(*image, x, y), PaletteColor((x * 37 + y * 101 + x * y) & 0xFF, 7))
                << x << "," << y;
        }
    }
}

TEST(GIFReader, EarlyEndCodeLeavesTheRestTransparent) {
    auto image = GetGIFImage(Fixtures::Path("early_end.gif"));
    ASSERT_TRUE(image);
    for (int i = 0; i < 90; ++i) {
        uint32_t expected = i < 25 ? PaletteColor(PlainIndex(i % 10, i / 10), 0) : 0u;
        EXPECT_EQ(image->mBits[i], expected) << i;
    }
}

TEST(GIFReader, TruncatedFileGivesNullOrACorrectPrefix) {
    std::string bytes = Bytes("plain.gif");
    for (size_t length = 0; length < bytes.size(); ++length) {
        auto image = Decode(bytes.substr(0, length));
        if (!image) {
            continue;
        }
        ASSERT_EQ(image->mWidth * image->mHeight, 90);
        int i = 0;
        while (i < 90 && image->mBits[i] == PaletteColor(PlainIndex(i % 10, i / 10), 0)) {
            ++i;
        }
        for (; i < 90; ++i) {
            ASSERT_EQ(image->mBits[i], 0u) << "length " << length << " pixel " << i;
        }
    }
}

// Hand-made streams for the malformed cases: codes are packed least significant bit first.
struct Code {
    int value;
    int bits;
};

std::string Little16(int v) {
    return {static_cast<char>(v & 0xFF), static_cast<char>(v >> 8)};
}

std::string CodeBlocks(const std::vector<Code>& codes) {
    std::string data;
    uint32_t pending = 0;
    int count = 0;
    for (Code code : codes) {
        pending |= static_cast<uint32_t>(code.value) << count;
        count += code.bits;
        while (count >= 8) {
            data += static_cast<char>(pending & 0xFF);
            pending >>= 8;
            count -= 8;
        }
    }
    if (count > 0) {
        data += static_cast<char>(pending);
    }
    std::string blocks;
    for (size_t i = 0; i < data.size(); i += 255) {
        std::string part = data.substr(i, 255);
        blocks += static_cast<char>(part.size());
        blocks += part;
    }
    return blocks + '\0';
}

// A 4-entry global table (colours 0x10*i), the extensions given, then one image.
std::string MakeGIF(int width, int height, int minCodeSize, const std::vector<Code>& codes,
                    const std::string& extensions = "", bool colorTable = true) {
    std::string gif = "GIF89a" + Little16(width) + Little16(height);
    gif += static_cast<char>(colorTable ? 0x81 : 0x00);
    gif += std::string(2, '\0');
    if (colorTable) {
        for (int i = 0; i < 4; ++i) {
            gif += std::string(3, static_cast<char>(0x10 * (i + 1)));
        }
    }
    gif += extensions;
    gif += ',' + Little16(0) + Little16(0) + Little16(width) + Little16(height) + '\0';
    gif += static_cast<char>(minCodeSize);
    gif += CodeBlocks(codes);
    return gif + ';';
}

uint32_t TableColor(int i) {
    return Argb(255, 0x10 * (i + 1), 0x10 * (i + 1), 0x10 * (i + 1));
}

// Minimum code size 2: clear 4, end 5, first free code 6, 3-bit codes.
TEST(GIFReader, WellFormedHandMadeStreamDecodes) {
    auto image = Decode(MakeGIF(2, 2, 2, {{4, 3}, {1, 3}, {2, 3}, {6, 3}, {5, 3}}));
    ASSERT_TRUE(image);
    EXPECT_EQ(image->mBits[0], TableColor(1));
    EXPECT_EQ(image->mBits[1], TableColor(2));
    EXPECT_EQ(image->mBits[2], TableColor(1));
    EXPECT_EQ(image->mBits[3], TableColor(2));
}

TEST(GIFReader, MinimumCodeSizeOutsideOneToEightIsRefused) {
    for (int size : {0, 9, 11, 12, 200}) {
        EXPECT_FALSE(Decode(MakeGIF(2, 2, size, {{0, 8}, {0, 8}}))) << size;
    }
    // Size 1: clear 2, end 3, 2-bit codes.
    auto image = Decode(MakeGIF(2, 1, 1, {{2, 2}, {1, 2}, {0, 2}, {3, 2}}));
    ASSERT_TRUE(image);
    EXPECT_EQ(image->mBits[0], TableColor(1));
    EXPECT_EQ(image->mBits[1], TableColor(0));
}

TEST(GIFReader, FirstCodeAfterClearMustBeALiteral) {
    // Code 6 is the next free code, so it passes the range check, but nothing defines it yet.
    auto atStart = Decode(MakeGIF(4, 1, 2, {{4, 3}, {6, 3}, {1, 3}, {5, 3}}));
    ASSERT_TRUE(atStart);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(atStart->mBits[i], 0u);
    }
    auto afterClear = Decode(MakeGIF(4, 1, 2, {{4, 3}, {3, 3}, {4, 3}, {6, 3}, {1, 3}, {5, 3}}));
    ASSERT_TRUE(afterClear);
    EXPECT_EQ(afterClear->mBits[0], TableColor(3));
    EXPECT_EQ(afterClear->mBits[1], 0u);
}

TEST(GIFReader, CodeBeyondTheTableEndsDecoding) {
    auto image = Decode(MakeGIF(3, 1, 2, {{4, 3}, {2, 3}, {7, 3}, {1, 3}, {5, 3}}));
    ASSERT_TRUE(image);
    EXPECT_EQ(image->mBits[0], TableColor(2));
    EXPECT_EQ(image->mBits[1], 0u);
    EXPECT_EQ(image->mBits[2], 0u);
}

TEST(GIFReader, OutputStopsAtWidthTimesHeight) {
    // A 2 x 1 picture: literal 1, then code 6 (the KwKwK string "1 1") would write a third
    // pixel, and code 7 three more; the sanitizers see any write past the end.
    auto image = Decode(MakeGIF(2, 1, 2, {{4, 3}, {1, 3}, {6, 3}, {7, 3}, {5, 3}}));
    ASSERT_TRUE(image);
    EXPECT_EQ(image->mBits[0], TableColor(1));
    EXPECT_EQ(image->mBits[1], TableColor(1));
}

TEST(GIFReader, AFullCodeTableKeepsDecodingWithoutAClear) {
    // Literals only, in the widths the table's growth sets: every code after the first adds an
    // entry, so the table fills to 4096 entries after 4091 codes, and the rest of the picture
    // follows in 12-bit codes with no clear between.
    constexpr int kWidth = 64;
    constexpr int kHeight = 80;
    auto literal = [](int i) { return (i * 7 / 3) % 4; };
    std::vector<Code> codes = {{4, 3}};
    int available = 6;
    int bits = 3;
    for (int i = 0; i < kWidth * kHeight; ++i) {
        codes.push_back({literal(i), bits});
        if (i > 0 && available < 4096 && (++available & ((1 << bits) - 1)) == 0 &&
            available < 4096) {
            ++bits;
        }
    }
    codes.push_back({5, bits});
    auto image = Decode(MakeGIF(kWidth, kHeight, 2, codes));
    ASSERT_TRUE(image);
    for (int i = 0; i < kWidth * kHeight; ++i) {
        ASSERT_EQ(image->mBits[i], TableColor(literal(i))) << i;
    }
}

TEST(GIFReader, ShortGraphicControlBlockNamesNoTransparentIndex) {
    // Flags with the transparency bit, then the block ends before the index byte. Pixels use
    // indices 0 and 2.
    std::vector<Code> codes = {{4, 3}, {0, 3}, {2, 3}, {5, 3}};
    std::string shortControl = std::string("!\xF9\x02\x01\x02", 5) + '\0';
    auto image = Decode(MakeGIF(2, 1, 2, codes, shortControl));
    ASSERT_TRUE(image);
    EXPECT_EQ(image->mBits[0], TableColor(0));
    EXPECT_EQ(image->mBits[1], TableColor(2));
    std::string fullControl = std::string("!\xF9\x04\x01\x00\x00\x02", 8) + '\0';
    image = Decode(MakeGIF(2, 1, 2, codes, fullControl));
    ASSERT_TRUE(image);
    EXPECT_EQ(image->mBits[0], TableColor(0));
    EXPECT_EQ(image->mBits[1], 0u);
}

TEST(GIFReader, NoColourTableGivesTransparentBlack) {
    auto image = Decode(MakeGIF(2, 1, 2, {{4, 3}, {3, 3}, {1, 3}, {5, 3}}, "", false));
    ASSERT_TRUE(image);
    EXPECT_EQ(image->mBits[0], 0u);
    EXPECT_EQ(image->mBits[1], 0u);
}

TEST(GIFReader, RefusedFiles) {
    std::vector<Code> codes = {{4, 3}, {1, 3}, {5, 3}};
    EXPECT_FALSE(Decode(MakeGIF(0, 1, 2, codes)));
    EXPECT_FALSE(Decode(MakeGIF(1, 0, 2, codes)));
    EXPECT_FALSE(Decode(MakeGIF(kMaxDimension + 1, 1, 2, codes)));
    EXPECT_TRUE(Decode(MakeGIF(kMaxDimension, 1, 2, codes)));
    std::string noImage = "GIF89a" + Little16(1) + Little16(1) + std::string(3, '\0') + ";";
    EXPECT_FALSE(Decode(noImage));
    std::string wrongSignature = MakeGIF(1, 1, 2, codes);
    wrongSignature[4] = '0';
    EXPECT_FALSE(Decode(wrongSignature));
    EXPECT_FALSE(GetGIFImage(Fixtures::Path("no_such_file.gif")));
}

} // namespace
} // namespace Vuro::ImageLib
