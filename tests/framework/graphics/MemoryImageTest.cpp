#include "framework/graphics/MemoryImage.h"

#include "framework/app/VuroAppBase.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace Vuro {
namespace {

class MemoryImageTest : public ::testing::Test {
protected:
    VuroAppBase mApp;
};

std::vector<uint32_t> Words(const uint32_t* bits, size_t count) {
    return std::vector<uint32_t>(bits, bits + count);
}

TEST_F(MemoryImageTest, RegistersForItsWholeLife) {
    auto image = std::make_unique<MemoryImage>(&mApp);
    MemoryImage* raw = image.get();
    EXPECT_EQ(mApp.mMemoryImageSet.count(raw), 1u);
    {
        MemoryImage copy(*image);
        EXPECT_EQ(mApp.mMemoryImageSet.size(), 2u);
    }
    EXPECT_EQ(mApp.mMemoryImageSet.size(), 1u);
    image.reset();
    EXPECT_TRUE(mApp.mMemoryImageSet.empty());
}

TEST_F(MemoryImageTest, CreateGivesZeroedBitsAndSentinel) {
    MemoryImage image(&mApp);
    image.Create(4, 3);
    EXPECT_TRUE(image.mHasTrans);
    EXPECT_TRUE(image.mHasAlpha);
    EXPECT_EQ(image.mBits, nullptr);
    const uint32_t* bits = image.GetBits();
    std::vector<uint32_t> expected(12, 0u);
    expected.push_back(0x4BEEFADE);
    EXPECT_EQ(Words(bits, 13), expected);
}

// Every form the kernels read starts a cache line, whatever was allocated before it.
TEST_F(MemoryImageTest, PixelWordsStartOnACacheLine) {
    std::vector<std::unique_ptr<MemoryImage>> images;
    const std::vector<uint32_t> pixels(7 * 5, 0x80FF8040u);
    for (int n = 0; n < 8; ++n) {
        auto stray = std::make_unique<char[]>(static_cast<size_t>(n) * 16 + 1);
        auto image = std::make_unique<MemoryImage>(&mApp);
        image->SetBits(pixels.data(), 7, 5);
        const MemoryImage copy(*image);
        const uintptr_t addresses[] = {
            reinterpret_cast<uintptr_t>(image->GetBits()),
            reinterpret_cast<uintptr_t>(image->GetNativeAlphaData(image->GetDisplayLayout())),
            reinterpret_cast<uintptr_t>(image->GetAdditiveTerms()),
            reinterpret_cast<uintptr_t>(copy.mBits.get())};
        for (const uintptr_t address : addresses) {
            EXPECT_EQ(address % 64, 0u) << "after a stray block of " << n * 16 + 1 << " bytes";
        }
        images.push_back(std::move(image));
    }
}

TEST_F(MemoryImageTest, SetBitsScansAlphaUnlessForced) {
    MemoryImage image(&mApp);
    const uint32_t opaque[] = {0xFF000000, 0xFF123456, 0xFFFFFFFF};
    image.SetBits(opaque, 3, 1);
    EXPECT_FALSE(image.mHasTrans);
    EXPECT_FALSE(image.mHasAlpha);
    EXPECT_EQ(image.GetBits()[3], MemoryImage::kSentinel);

    const uint32_t holey[] = {0xFF000000, 0x00123456};
    image.SetBits(holey, 2, 1);
    EXPECT_TRUE(image.mHasTrans);
    EXPECT_FALSE(image.mHasAlpha);

    const uint32_t soft[] = {0x80000000, 0xFF123456};
    image.SetBits(soft, 1, 2);
    EXPECT_FALSE(image.mHasTrans);
    EXPECT_TRUE(image.mHasAlpha);

    image.SetTransAlphaFlags(false, false);
    image.SetBits(holey, 2, 1);
    EXPECT_FALSE(image.mHasTrans);
    EXPECT_FALSE(image.mHasAlpha);
    EXPECT_TRUE(image.mBitsChanged);
}

TEST_F(MemoryImageTest, OnBitsChangedCountsAndFreesDerivedForms) {
    MemoryImage image(&mApp);
    const uint32_t pixels[] = {0xFF102030, 0x80102030};
    image.SetBits(pixels, 2, 1);
    const int before = image.mBitsChangedCount;
    ASSERT_NE(image.GetRLAlphaData(), nullptr);
    ASSERT_NE(image.GetRLAdditiveData(image.GetDisplayLayout()), nullptr);
    ASSERT_NE(image.mNativeAlphaData, nullptr);
    image.OnBitsChanged();
    EXPECT_EQ(image.mBitsChangedCount, before + 1);
    EXPECT_EQ(image.mNativeAlphaData, nullptr);
    EXPECT_EQ(image.mRLAlphaData, nullptr);
    EXPECT_EQ(image.mRLAdditiveData, nullptr);
}

TEST_F(MemoryImageTest, RunLengthAlphaCountsToTheEndOfEachRun) {
    MemoryImage image(&mApp);
    const uint32_t row[] = {0x00000000, 0x00FFFFFF, 0x00000000,
                            0xFF000000, 0xFFFFFFFF, 0x80000000, // first row
                            0x80000000, 0x7F000000, 0x01000000,
                            0xFE000000, 0x00000000, 0xFF000000}; // second row: one run of "between"
    image.SetBits(row, 6, 2);
    const uint8_t* runs = image.GetRLAlphaData();
    const std::vector<uint8_t> expected = {3, 2, 1, 2, 1, 1, 4, 3, 2, 1, 1, 1};
    EXPECT_EQ(std::vector<uint8_t>(runs, runs + 12), expected);
}

TEST_F(MemoryImageTest, LongRunsAreCappedAt255AndEndAtTheRow) {
    MemoryImage image(&mApp);
    std::vector<uint32_t> pixels(600, 0xFF336699);
    image.SetBits(pixels.data(), 300, 2);
    const uint8_t* runs = image.GetRLAlphaData();
    for (int row = 0; row < 2; ++row) {
        for (int x = 0; x < 300; ++x) {
            const int expected = x < 46 ? 255 : 300 - x;
            ASSERT_EQ(runs[row * 300 + x], expected) << "row " << row << " x " << x;
        }
    }
    MemoryImage narrow(&mApp);
    const uint32_t column[] = {0, 0, 0};
    narrow.SetBits(column, 1, 3);
    const uint8_t* ones = narrow.GetRLAlphaData();
    EXPECT_EQ(std::vector<uint8_t>(ones, ones + 3), std::vector<uint8_t>({1, 1, 1}));
}

TEST_F(MemoryImageTest, RunLengthAdditiveSplitsBlackFromColour) {
    MemoryImage image(&mApp);
    // Alpha 0 premultiplies any colour to black; a tiny colour under alpha 255 stays.
    const uint32_t row[] = {0x00FFFFFF, 0xFF000000, 0xFF000001, 0x10FFFFFF, 0x00000000};
    image.SetBits(row, 5, 1);
    const uint8_t* runs = image.GetRLAdditiveData(image.GetDisplayLayout());
    EXPECT_EQ(std::vector<uint8_t>(runs, runs + 5), std::vector<uint8_t>({2, 1, 2, 1, 1}));
}

TEST_F(MemoryImageTest, NativeDataIsPremultipliedAndDropBitsRestoresApproximately) {
    MemoryImage image(&mApp);
    // c * (a + 1) >> 8 with a = 128: 255 -> 128, 128 -> 64, 64 -> 32.
    const uint32_t pixels[] = {0x80FF8040, 0xFF0A0B0C};
    image.SetBits(pixels, 2, 1);
    const uint32_t* native = image.GetNativeAlphaData(image.GetDisplayLayout());
    EXPECT_EQ(native[0], 0x80804020u);
    EXPECT_EQ(native[1], 0xFF0A0B0Cu);

    image.DropBits();
    EXPECT_TRUE(image.mPurgeBits);
    EXPECT_EQ(image.mBits, nullptr);
    // Undoing: ((c << 8 in place) / 129) keeps 254, 127, 63; alpha 255 divides by 256 exactly.
    const uint32_t* bits = image.GetBits();
    EXPECT_EQ(Words(bits, 3), std::vector<uint32_t>({0x80FE7F3F, 0xFF0A0B0C, 0x4BEEFADE}));
}

TEST_F(MemoryImageTest, CopyOfANativeOnlyImageLeavesTheSourceAsItWas) {
    MemoryImage image(&mApp);
    const uint32_t pixels[] = {0xFF010203, 0xFF040506};
    image.SetBits(pixels, 2, 1);
    image.DropBits();
    MemoryImage copy(image);
    EXPECT_EQ(image.mBits, nullptr);
    ASSERT_NE(copy.mBits, nullptr);
    EXPECT_EQ(Words(copy.mBits.get(), 3),
              std::vector<uint32_t>({0xFF010203, 0xFF040506, 0x4BEEFADE}));
    EXPECT_TRUE(copy.mPurgeBits);
}

std::vector<uint32_t> DistinctColours(int count) {
    std::vector<uint32_t> pixels;
    for (int i = 0; i < count; ++i) {
        // Descending, so table order (first appearance) differs from sorted order.
        pixels.push_back(0xFF000000u | static_cast<uint32_t>((count - i) * 0x010203));
    }
    return pixels;
}

TEST_F(MemoryImageTest, PalletizeKeeps256ColoursExactly) {
    MemoryImage image(&mApp);
    std::vector<uint32_t> pixels = DistinctColours(256);
    // Repeats and an alpha-only difference: 0x00FFFFFF and 0xFFFFFFFF are two colours.
    pixels[10] = pixels[3];
    pixels[11] = 0x00000000;
    image.SetBits(pixels.data(), 16, 16);
    ASSERT_TRUE(image.Palletize());
    EXPECT_TRUE(image.IsPalettised());
    EXPECT_TRUE(image.mWantPal);
    EXPECT_EQ(image.mBits, nullptr);
    EXPECT_EQ(image.mColorTable[0], pixels[0]);
    EXPECT_EQ(image.mColorIndices[10], image.mColorIndices[3]);
    EXPECT_EQ(image.mColorTable[image.mColorIndices[11]], 0x00000000u);
    // First appearance order: pixel 12 is the twelfth distinct colour (index 11).
    EXPECT_EQ(image.mColorIndices[12], 11);
    // Palettised twice is still palettised.
    EXPECT_TRUE(image.Palletize());

    const uint32_t* back = image.GetBits();
    EXPECT_EQ(Words(back, 256), pixels);
    EXPECT_EQ(back[256], MemoryImage::kSentinel);
    EXPECT_FALSE(image.IsPalettised());
}

TEST_F(MemoryImageTest, PalletizeFailsOver256AndKeepsTheBits) {
    MemoryImage image(&mApp);
    const std::vector<uint32_t> pixels = DistinctColours(257);
    image.SetBits(pixels.data(), 257, 1);
    EXPECT_FALSE(image.Palletize());
    EXPECT_FALSE(image.mWantPal);
    EXPECT_EQ(image.mColorTable, nullptr);
    EXPECT_EQ(image.mColorIndices, nullptr);
    EXPECT_EQ(Words(image.GetBits(), 258), [&] {
        auto w = pixels;
        w.push_back(MemoryImage::kSentinel);
        return w;
    }());
}

TEST_F(MemoryImageTest, PalettisedImageDerivedFormsUseThePalette) {
    MemoryImage image(&mApp);
    const uint32_t pixels[] = {0x00FFFFFF, 0x00FFFFFF, 0x80FF8040, 0xFF000000};
    image.SetBits(pixels, 4, 1);
    ASSERT_TRUE(image.Palletize());
    EXPECT_EQ(std::vector<uint8_t>(image.GetRLAlphaData(), image.GetRLAlphaData() + 4),
              std::vector<uint8_t>({2, 1, 1, 1}));
    const uint32_t* native = image.GetNativeAlphaData(image.GetDisplayLayout());
    EXPECT_EQ(native[1], 0x80804020u); // one word per palette entry
    EXPECT_EQ(image.mBits, nullptr);

    image.DropBits(); // keeps the palettised form
    EXPECT_TRUE(image.IsPalettised());
    image.mBitsChanged = true;
    image.ApplyBits(); // scanned from the table: entry 1 is 0x80FF8040, unused entries 0
    EXPECT_TRUE(image.mHasTrans);
    EXPECT_TRUE(image.mHasAlpha);
}

TEST_F(MemoryImageTest, ReInitPalettisesAndPurgesAgain) {
    MemoryImage image(&mApp);
    const uint32_t pixels[] = {0xFF111111, 0xFF222222};
    image.SetBits(pixels, 2, 1);
    ASSERT_TRUE(image.Palletize());
    image.GetBits(); // drawing brings the bits back
    EXPECT_FALSE(image.IsPalettised());
    image.ReInit();
    EXPECT_TRUE(image.IsPalettised());
    EXPECT_EQ(image.mBits, nullptr);
}

TEST_F(MemoryImageTest, CreateOnAPalettisedImageDropsTheOldPalette) {
    MemoryImage image(&mApp);
    const uint32_t pixels[] = {0xFF111111, 0xFF222222};
    image.SetBits(pixels, 2, 1);
    ASSERT_TRUE(image.Palletize());
    image.Create(8, 8);
    EXPECT_FALSE(image.IsPalettised());
    const uint32_t* bits = image.GetBits();
    EXPECT_EQ(Words(bits, 64), std::vector<uint32_t>(64, 0u));
    EXPECT_EQ(bits[64], MemoryImage::kSentinel);
}

TEST_F(MemoryImageTest, ClearAndDropSoftwareBuffers) {
    MemoryImage image(&mApp);
    const uint32_t pixels[] = {0xFF111111, 0x80222222};
    image.SetBits(pixels, 2, 1);
    image.GetRLAlphaData();
    image.DropBits();
    image.DropSoftwareBuffers(); // rebuilds bits from the native copy first
    EXPECT_NE(image.mBits, nullptr);
    EXPECT_EQ(image.mNativeAlphaData, nullptr);
    EXPECT_EQ(image.mRLAlphaData, nullptr);
    image.Clear();
    EXPECT_EQ(Words(image.mBits.get(), 3), std::vector<uint32_t>({0, 0, 0x4BEEFADE}));
}

} // namespace
} // namespace Vuro
