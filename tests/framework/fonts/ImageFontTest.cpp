// The bitmap font: choosing layers by point size and tags, metrics, measuring with kerning and
// scale, and drawing with exact pixels on a small glyph sheet.
//
// The sheet (4 x 2): row 0 holds 'a' (2 x 1 red), 'b' (1 x 1 green) and 'c' (1 x 1 white);
// row 1 a second, green 'a' (2 x 1) used by the layer-order tests. Drawing goes onto an opaque
// black image with opaque glyphs, so an untinted glyph pixel is copied as it is.

#include "FontTestApp.h"

#include "framework/fonts/FontData.h"
#include "framework/fonts/ImageFont.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/MemoryImage.h"

#include <gtest/gtest.h>

#include <atomic>
#include <list>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace Vuro::Test {
namespace {

constexpr uint32_t kRed = 0xFFFF0000;
constexpr uint32_t kGreen = 0xFF00FF00;
constexpr uint32_t kWhite = 0xFFFFFFFF;
constexpr uint32_t kBlack = 0xFF000000;

const std::string kMainLayer =
    "CreateLayer Main;"
    "LayerSetImage Main 'sheet.png';"
    "LayerSetImageMap Main ('a' 'b' 'c') ((0 0 2 1) (2 0 1 1) (3 0 1 1));"
    "LayerSetCharWidths Main ('a' 'b' 'c') (3 2 1);"
    "LayerSetAscent Main 1;"
    "LayerSetKerningPairs Main ('ab') (-1);";

class ImageFontTest : public ::testing::Test {
protected:
    ImageFontTest() {
        WriteSheet(folder, "sheet.png", 4, 2, {kRed, kRed, kGreen, kWhite, kGreen, kGreen, 0, 0});
        dest.Create(8, 3);
        std::fill_n(dest.GetBits(), 8 * 3, kBlack);
        dest.SetTransAlphaFlags(false, false);
    }

    std::unique_ptr<ImageFont> MakeFont(const std::string& descriptor) {
        folder.Write("font.txt", descriptor);
        return std::make_unique<ImageFont>(&app, folder.Path("font.txt"));
    }
    // The destination's pixels, row by row.
    std::vector<uint32_t> Pixels() {
        return std::vector<uint32_t>(dest.GetBits(), dest.GetBits() + 8 * 3);
    }
    // An all-black destination with the given pixels set.
    std::vector<uint32_t> Expect(std::initializer_list<std::pair<int, uint32_t>> set) {
        std::vector<uint32_t> pixels(8 * 3, kBlack);
        for (const auto& [index, value] : set) {
            pixels[index] = value;
        }
        return pixels;
    }

    TempFolder folder{"imagefont"};
    StackApp<FontTestApp> app;
    MemoryImage dest{&app};
};

TEST_F(ImageFontTest, MeasuresWithKerningAndTheCharacterMap) {
    auto font = MakeFont(kMainLayer + "SetCharMap ('A') ('a');");
    EXPECT_EQ(font->CharWidth('c'), 1);
    EXPECT_EQ(font->StringWidth("ab"), 3 + 2 - 1); // kerning of the pair ab
    EXPECT_EQ(font->StringWidth("ba"), 2 + 3);     // the pair ba has none
    EXPECT_EQ(font->StringWidth("Ab"), 4);         // A is measured as a
    EXPECT_EQ(font->CharWidth('z'), 0);
    EXPECT_EQ(font->StringWidth(""), 0);
    EXPECT_EQ(font->GetAscent(), 1);
    EXPECT_EQ(font->GetHeight(), 1);

    auto spaced = MakeFont(kMainLayer + "LayerSetSpacing Main 2;");
    EXPECT_EQ(spaced->StringWidth("ab"), 3 + 2 - 1 + 2);
    EXPECT_EQ(spaced->StringWidth("ba"), 2 + 3 + 2);
    EXPECT_EQ(spaced->CharWidthKern('b', 'a'), 2 - 1 + 2);
}

TEST_F(ImageFontTest, DrawsGlyphsAtThePenAboveTheBaseline) {
    auto font = MakeFont(kMainLayer + "SetCharMap ('A') ('a');");
    Graphics g(&dest);
    std::list<Rect> rects{Rect(9, 9, 9, 9)};
    int width = -1;
    font->DrawStringEx(&g, 1, 2, "Ab", Color::White, Rect(0, 0, 8, 3), &rects, &width);
    // 'a' at x 1 on row 2 - ascent 1; the pen then moves 3 - 1 (kerning) to x 3 for 'b'.
    EXPECT_EQ(Pixels(), Expect({{8 + 1, kRed}, {8 + 2, kRed}, {8 + 3, kGreen}}));
    EXPECT_EQ(width, 4);
    EXPECT_EQ(rects, (std::list<Rect>{Rect(1, 1, 2, 1), Rect(3, 1, 1, 1)}));
    EXPECT_EQ(font->StringWidth("Ab"), width);
    EXPECT_EQ(g.GetColor(), Color()); // the context's colour and flag are restored
    EXPECT_FALSE(g.GetColorizeImages());
}

TEST_F(ImageFontTest, OffsetsMoveGlyphsAndTheContextTranslates) {
    auto font = MakeFont(kMainLayer + "LayerSetOffset Main (1 -1); LayerSetCharOffsets Main "
                                      "('b') ((0 1));");
    Graphics g(&dest);
    g.Translate(1, 0);
    font->DrawString(&g, 0, 2, "ab", Color::White, Rect());
    // a: x 0 + 1 + translation 1, y 2 - (1 - 0 + 1) = 0; b: pen 2, x 2 + 1 + 1, y 2 - (1-1+1) = 1.
    EXPECT_EQ(Pixels(), Expect({{2, kRed}, {3, kRed}, {8 + 4, kGreen}}));
}

TEST_F(ImageFontTest, LayersDrawInOrderSlotsNotCharacterByCharacter) {
    // Main draws a red 'a' 2 wide, Over a green 'a' 1 wide one pixel to the right; the pen
    // advances 1, so the second red glyph lands on the first green one.
    const std::string layers = kMainLayer + "CreateLayerFrom Over Main;"
                                            "LayerSetImageMap Over ('a') ((0 1 1 1));"
                                            "LayerSetOffset Over (1 0);"
                                            "LayerSetCharWidths Main ('a') (1);"
                                            "LayerSetCharWidths Over ('a') (1);";
    {
        // One slot: character by character, layer by layer, so red covers the green at x 2.
        auto font = MakeFont(layers);
        Graphics g(&dest);
        font->DrawString(&g, 1, 1, "aa", Color::White, Rect());
        EXPECT_EQ(Pixels(), Expect({{1, kRed}, {2, kRed}, {3, kGreen}}));
    }
    {
        // Red in a lower slot: every red glyph first, so the green at x 2 stays on top.
        std::fill_n(dest.GetBits(), 8 * 3, kBlack);
        auto font = MakeFont(layers + "LayerSetBaseOrder Main -1;");
        Graphics g(&dest);
        font->DrawString(&g, 1, 1, "aa", Color::White, Rect());
        EXPECT_EQ(Pixels(), Expect({{1, kRed}, {2, kGreen}, {3, kGreen}}));
    }
    {
        // Orders far out of range are held at the ends: green in slot 0, red in slot 255.
        std::fill_n(dest.GetBits(), 8 * 3, kBlack);
        auto font = MakeFont(layers + "LayerSetCharOrders Over ('a') (-300);"
                                      "LayerSetCharOrders Main ('a') (200);"
                                      "LayerSetBaseOrder Main 100;");
        Graphics g(&dest);
        font->DrawString(&g, 1, 1, "aa", Color::White, Rect());
        EXPECT_EQ(Pixels(), Expect({{1, kRed}, {2, kRed}, {3, kRed}}));
    }
}

TEST_F(ImageFontTest, LayerColoursMultiplyAndAdd) {
    auto half = MakeFont(kMainLayer + "LayerSetColorMult Main (0.5 0.5 0.5 0.5);");
    Graphics g(&dest);
    half->DrawString(&g, 0, 1, "c", Color::White, Rect());
    // Tint (127, 127, 127, 127) over black: sa = 127, f = 127; each channel of the white glyph
    // becomes ((255 << 16) * 127 >> 8) * 127 >> 8 and so on, i.e. 62.
    EXPECT_EQ(Pixels(), Expect({{0, 0xFF3E3E3E}}));

    std::fill_n(dest.GetBits(), 8 * 3, kBlack);
    auto add = MakeFont(kMainLayer + "LayerSetColorAdd Main (1 1 1 1);");
    add->DrawString(&g, 0, 1, "a", Color(10, 20, 30, 40), Rect());
    EXPECT_EQ(Pixels(), Expect({{0, kRed}, {1, kRed}})); // 255 everywhere: drawn untinted
}

TEST_F(ImageFontTest, PointRangesAndTagsChooseTheLayersAndTheMetrics) {
    auto font = MakeFont("SetDefaultPointSize 10;"
                         "CreateLayer Small; LayerPointRange Small 10 20;"
                         "LayerSetCharWidths Small ('a') (1);"
                         "LayerSetAscent Small 5; LayerSetAscentPadding Small 2;"
                         "LayerSetLineSpacingOffset Small 1;"
                         "CreateLayer Big; LayerPointRange Big 21 -1;"
                         "LayerSetCharWidths Big ('a') (7);"
                         "CreateLayer Bold; LayerRequireTags Bold ('bold');"
                         "LayerSetCharWidths Bold ('a') (3);"
                         "LayerSetAscent Bold 3; LayerSetAscentPadding Bold 1;"
                         "LayerSetLineSpacingOffset Bold 4;"
                         "CreateLayer Plain; LayerExcludeTags Plain ('Bold');"
                         "LayerSetAscentPadding Plain 3;"
                         "LayerSetCharWidths Plain ('a') (2);");
    EXPECT_EQ(font->GetPointSize(), 10);
    EXPECT_EQ(font->GetDefaultPointSize(), 10);
    EXPECT_EQ(font->CharWidth('a'), 2); // Small and Plain
    EXPECT_EQ(font->GetAscent(), 5);
    EXPECT_EQ(font->GetAscentPadding(), 2);
    EXPECT_EQ(font->GetLineSpacingOffset(), 1);

    EXPECT_TRUE(font->AddTag("bold"));
    EXPECT_FALSE(font->AddTag("BOLD"));
    EXPECT_TRUE(font->HasTag("Bold"));
    EXPECT_EQ(font->GetAscentPadding(), 2); // not prepared yet
    EXPECT_EQ(font->CharWidth('a'), 3);     // Small and Bold
    EXPECT_EQ(font->GetAscent(), 5);
    EXPECT_EQ(font->GetAscentPadding(), 1);
    EXPECT_EQ(font->GetLineSpacingOffset(), 4);

    font->SetPointSize(21);
    EXPECT_EQ(font->CharWidth('a'), 7); // Big and Bold
    font->SetPointSize(9);
    EXPECT_EQ(font->CharWidth('a'), 3); // Bold only
    font->SetPointSize(20);
    EXPECT_TRUE(font->RemoveTag("bOLD"));
    EXPECT_FALSE(font->RemoveTag("bold"));
    EXPECT_FALSE(font->mActiveListValid);
    EXPECT_EQ(font->CharWidth('a'), 2); // Small and Plain
    EXPECT_TRUE(font->mActiveListValid);
    EXPECT_FALSE(font->RemoveTag("bold"));
    EXPECT_TRUE(font->mActiveListValid); // an absent tag changes nothing
}

TEST_F(ImageFontTest, ALayerForAnotherPointSizeIsScaled) {
    auto font = MakeFont(kMainLayer + "LayerSetPointSize Main 12; SetDefaultPointSize 12;");
    EXPECT_EQ(font->StringWidth("ab"), 5 - 1 + 0);
    font->SetPointSize(18);
    // Factor 1.5: widths 3 -> 4, 2 -> 3, kerning -1 -> -1; glyphs 3 x 1 and 1 x 1.
    EXPECT_EQ(font->StringWidth("ab"), 4 + 3 - 1);
    const ActiveFontLayer& active = font->mActiveLayerList.front();
    ASSERT_NE(active.mScaledImage, nullptr);
    EXPECT_TRUE(active.mOwnsImage);
    EXPECT_EQ(active.mScaledImage->GetWidth(), 3 + 1 + 1);
    EXPECT_EQ(active.mScaledImage->GetHeight(), 1);
    EXPECT_EQ(active.mScaledCharImageRects[uint8_t{'b'}], Rect(3, 0, 1, 1));

    Graphics g(&dest);
    std::list<Rect> rects;
    int width = 0;
    font->DrawStringEx(&g, 0, 2, "ab", Color::White, Rect(), &rects, &width);
    EXPECT_EQ(width, 6);
    EXPECT_EQ(rects, (std::list<Rect>{Rect(0, 1, 3, 1), Rect(3, 1, 1, 1)}));

    font->SetScale(2.0); // factor 3: widths 9 and 6, kerning -3
    EXPECT_EQ(font->StringWidth("ab"), 9 + 6 - 3);
    EXPECT_EQ(font->GetAscent(), 3);
    EXPECT_EQ(font->GetHeight(), 3);

    // A copy draws the same glyphs from its own strip.
    std::unique_ptr<Font> copy(font->Duplicate());
    auto* imageCopy = static_cast<ImageFont*>(copy.get());
    ASSERT_EQ(imageCopy->mActiveLayerList.size(), 1u);
    EXPECT_NE(imageCopy->mActiveLayerList.front().mScaledImage,
              font->mActiveLayerList.front().mScaledImage);
    EXPECT_EQ(copy->StringWidth("ab"), 12);
    font.reset();
    EXPECT_EQ(copy->StringWidth("ab"), 12);
}

TEST_F(ImageFontTest, ATextBeyondThePoolIsCutAtTheLastQueuedGlyph) {
    auto font = MakeFont(kMainLayer + "CreateLayerFrom Second Main;");
    Graphics g(&dest);
    std::list<Rect> rects;
    int width = 0;
    font->DrawStringEx(&g, 0, 1, std::string(2049, 'c'), Color::White, Rect(), &rects, &width);
    EXPECT_EQ(rects.size(), 4096u);
    EXPECT_EQ(width, 2048);
    EXPECT_EQ(font->StringWidth(std::string(2049, 'c')), 2049);
}

TEST_F(ImageFontTest, AFontThatDidNotLoadMeasuresAndDrawsNothing) {
    auto font = MakeFont(kMainLayer + "Broken;");
    EXPECT_EQ(app.popups.size(), 1u);
    EXPECT_EQ(font->StringWidth("ab"), 0);
    EXPECT_EQ(font->GetAscent(), 0);
    Graphics g(&dest);
    int width = -1;
    font->DrawStringEx(&g, 0, 1, "ab", Color::White, Rect(), nullptr, &width);
    EXPECT_EQ(width, 0);
    EXPECT_EQ(Pixels(), Expect({}));
}

// The draw-command pool is shared by every image font: two threads drawing at once must each
// get their own glyphs and widths, which the one lock around the whole call ensures (without
// it the shared slot chains tangle: wrong widths, or a chain that loops until the timeout).
TEST_F(ImageFontTest, TwoThreadsDrawingAtOnceEachGetTheirOwnGlyphs) {
    auto first = MakeFont(kMainLayer);
    auto second = MakeFont(kMainLayer);
    MemoryImage otherDest(&app);
    otherDest.Create(8, 3);
    std::fill_n(otherDest.GetBits(), 8 * 3, kBlack);
    otherDest.SetTransAlphaFlags(false, false);
    std::atomic<int> badWidths{0};
    std::atomic<int> ready{0};
    auto draw = [&](ImageFont* font, MemoryImage* image, const std::string& text, int expected) {
        Graphics g(image);
        // Both start together, so their calls overlap.
        ++ready;
        while (ready.load() < 2) {
        }
        for (int i = 0; i < 2000; ++i) {
            int width = 0;
            font->DrawStringEx(&g, 1, 2, text, Color::White, Rect(), nullptr, &width);
            badWidths += width != expected ? 1 : 0;
        }
    };
    std::thread worker(draw, first.get(), &dest, std::string("ab"), 4);
    draw(second.get(), &otherDest, "ba", 5);
    worker.join();
    EXPECT_EQ(badWidths.load(), 0);
    EXPECT_EQ(Pixels(), Expect({{8 + 1, kRed}, {8 + 2, kRed}, {8 + 3, kGreen}}));
    std::vector<uint32_t> other(otherDest.GetBits(), otherDest.GetBits() + 8 * 3);
    EXPECT_EQ(other, Expect({{8 + 1, kGreen}, {8 + 3, kRed}, {8 + 4, kRed}}));
}

TEST_F(ImageFontTest, DefinesArePrintable) {
    auto font = MakeFont(kMainLayer + "Define Pair (1 'x');");
    EXPECT_EQ(font->GetDefine("pair"), "(1, x)");
    EXPECT_EQ(font->GetDefine("none"), "");
}

TEST_F(ImageFontTest, AFontFromAReadyImageAndAWidthList) {
    MemoryImage sheet(&app);
    sheet.Create(3, 1);
    uint32_t* bits = sheet.GetBits();
    bits[0] = kRed;
    bits[1] = kRed;
    bits[2] = kGreen;
    folder.Write("widths.txt", "4 1 a 2 B 1");
    ImageFont font(&sheet, folder.Path("widths.txt"));
    EXPECT_EQ(font.StringWidth("Ab b"), 2 + 1 + 4 + 1);
    Graphics g(&dest);
    font.DrawString(&g, 1, 1, "ab", Color::White, Rect());
    EXPECT_EQ(Pixels(), Expect({{1, kRed}, {2, kRed}, {3, kGreen}}));
}

} // namespace
} // namespace Vuro::Test
