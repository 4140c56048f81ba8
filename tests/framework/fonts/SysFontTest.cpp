#include "framework/fonts/SysFont.h"

#include "framework/app/VuroAppBase.h"
#include "framework/display/DDImage.h"
#include "framework/display/DDInterface.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/MemoryImage.h"
#include "platform/MemorySurface.h"
#include "platform/TextEncoding.h"
#include "platform/TextRenderer.h"
#include "support/DisplayRig.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace Vuro {
namespace {

class SysFontTest : public ::testing::Test {
protected:
    // The renderer's face for the faceSpec a font of this size asks for.
    static std::unique_ptr<Platform::TextFace> FaceFor(const std::string& name, int pixels) {
        Platform::TextFaceSpec faceSpec;
        faceSpec.faceName = name;
        faceSpec.pixelHeight = pixels;
        return Platform::CreateTextFace(faceSpec);
    }

    // Rows of the image that hold any pixel other than `background`: first and last.
    static std::pair<int, int> InkRows(MemoryImage& image, uint32_t background) {
        const uint32_t* bits = image.GetBits();
        int first = -1;
        int last = -1;
        for (int y = 0; y < image.mHeight; ++y) {
            for (int x = 0; x < image.mWidth; ++x) {
                if (bits[y * image.mWidth + x] != background) {
                    first = first < 0 ? y : first;
                    last = y;
                }
            }
        }
        return {first, last};
    }

    static void Fill(MemoryImage& image, uint32_t value) {
        uint32_t* bits = image.GetBits();
        for (int i = 0; i < image.mWidth * image.mHeight; ++i) {
            bits[i] = value;
        }
    }

    VuroAppBase mApp;
    DDInterface mDisplay{&mApp};
};

TEST_F(SysFontTest, PointsBecomePixelsAtNinetySixDotsPerInch) {
    SysFont ten(&mApp, "DejaVu Sans", 10);
    EXPECT_EQ(ten.GetFace().GetSpec().pixelHeight, 13); // 13.33
    SysFont eight(&mApp, "DejaVu Sans", 8);
    EXPECT_EQ(eight.GetFace().GetSpec().pixelHeight, 11); // 10.67
    EXPECT_EQ(ten.mApp, &mApp);

    EXPECT_EQ(SysFont::MulDiv(3, 1, 2), 2);
    EXPECT_EQ(SysFont::MulDiv(-3, 1, 2), -2);
    EXPECT_EQ(SysFont::MulDiv(3, 1, -2), -2);
    EXPECT_EQ(SysFont::MulDiv(5, 1, 4), 1);
    EXPECT_EQ(SysFont::MulDiv(1 << 30, 4, 8), 1 << 29); // no overflow in between
    EXPECT_EQ(SysFont::MulDiv(7, 1, 0), -1);
}

TEST_F(SysFontTest, MetricsAreTheFacesWithoutPaddingOrExtraSpacing) {
    SysFont font(&mApp, "DejaVu Sans", 10, 0, true, false, false);
    const Platform::TextMetrics metrics = font.GetFace().GetMetrics();
    EXPECT_EQ(font.GetAscent(), metrics.ascent);
    EXPECT_EQ(font.GetHeight(), metrics.height);
    EXPECT_EQ(font.GetDescent(), metrics.descent);
    EXPECT_EQ(font.GetAscentPadding(), 0);
    EXPECT_EQ(font.GetLineSpacingOffset(), 0);
    EXPECT_EQ(font.GetLineSpacing(), metrics.height);
    EXPECT_TRUE(font.GetFace().GetSpec().bold);
    EXPECT_FALSE(font.GetFace().GetSpec().italic);
    // A Windows face name finds the nearest installed face.
    SysFont tahoma(&mApp, "Tahoma", 8);
    EXPECT_GT(tahoma.GetHeight(), 8);
    EXPECT_GT(tahoma.StringWidth("FPS: 60"), 0);
}

TEST_F(SysFontTest, WidthsAreTheRenderersWithoutPrefixesOrKerning) {
    SysFont font(&mApp, "DejaVu Sans", 10);
    auto face = FaceFor("DejaVu Sans", 13);
    EXPECT_EQ(font.StringWidth(""), 0);
    EXPECT_EQ(font.StringWidth("Hello, world"), face->StringWidth("Hello, world"));
    const std::string russian = "Привет"_cp1251;
    EXPECT_EQ(font.StringWidth(russian), face->StringWidth(russian));
    // '&' is shown, not taken as a mnemonic prefix.
    EXPECT_EQ(font.StringWidth("a&b"),
              face->StringWidth("a") + face->StringWidth("&") + face->StringWidth("b"));
    EXPECT_GT(font.StringWidth("a&b"), font.StringWidth("ab"));
    EXPECT_EQ(font.CharWidth('W'), face->StringWidth("W"));
    EXPECT_EQ(font.CharWidth('\0'), 0);
    EXPECT_EQ(font.CharWidthKern('V', 'A'), font.CharWidth('V'));
    // Several lines measure as the widest.
    EXPECT_EQ(font.StringWidth("ab\nabcdef\nx"), face->StringWidth("abcdef"));
    EXPECT_EQ(font.StringWidth("abcdef\r\nab"), face->StringWidth("abcdef"));
    EXPECT_EQ(font.StringWidth("\n"), 0);
}

TEST_F(SysFontTest, ADuplicateOutlivesItsOriginal) {
    auto original = std::make_unique<SysFont>(&mApp, "DejaVu Sans", 12, 0, false, true, true);
    const int width = original->StringWidth("Options");
    const int height = original->GetHeight();
    const int ascent = original->GetAscent();
    std::unique_ptr<Font> copy(original->Duplicate());
    original.reset();
    auto* sysCopy = dynamic_cast<SysFont*>(copy.get());
    ASSERT_NE(sysCopy, nullptr);
    EXPECT_EQ(copy->StringWidth("Options"), width);
    EXPECT_EQ(copy->GetHeight(), height);
    EXPECT_EQ(copy->GetAscent(), ascent);
    EXPECT_EQ(sysCopy->mApp, &mApp);
    EXPECT_TRUE(sysCopy->GetFace().GetSpec().italic);
    EXPECT_TRUE(sysCopy->GetFace().GetSpec().underline);
    EXPECT_EQ(sysCopy->GetFace().GetSpec().pixelHeight, 16);
}

TEST_F(SysFontTest, DrawingOntoAMemoryImageLeavesItUnchanged) {
    SysFont font(&mApp, "DejaVu Sans", 20);
    MemoryImage image(&mApp);
    image.Create(40, 30);
    Fill(image, 0xFF102030);
    const int changes = image.mBitsChangedCount;
    Graphics g(&image);
    g.SetFont(&font);
    g.DrawString("Hi", 2, 25);
    EXPECT_EQ(InkRows(image, 0xFF102030).first, -1);
    EXPECT_EQ(image.mBitsChangedCount, changes);
}

TEST_F(SysFontTest, TextThroughGraphicsSitsOnTheTranslatedBaseline) {
    SysFont font(&mApp, "DejaVu Sans", 30); // 40 pixels
    DDImage image(&mDisplay);
    image.Create(80, 70);
    Fill(image, 0xFF000000);
    const int changes = image.mBitsChangedCount;
    Graphics g(&image);
    g.SetFont(&font);
    g.Translate(3, 5);
    g.SetColor(Color(255, 0, 0, 0)); // the alpha plays no part
    g.DrawString("H", 4, 50);
    // The capital's lowest row of ink is the baseline's row; DejaVu's capitals are 29 pixels
    // high at this size.
    const auto [first, last] = InkRows(image, 0xFF000000);
    EXPECT_EQ(last, 55);
    EXPECT_NEAR(last - first + 1, 29, 1);
    EXPECT_EQ(image.mBitsChangedCount, changes + 1); // derived copies are dropped
    // Inside the left stem (DejaVu's H starts 3.9 pixels after the pen): pure red, opaque.
    EXPECT_EQ(image.GetBits()[40 * 80 + 3 + 4 + 5], 0xFFFF0000u);
}

TEST_F(SysFontTest, DrawingKeepsToTheContextsClipAndTheImagesLock) {
    // On a surface of an initialised display, held locked by the caller.
    Vuro::Test::DisplayRig rig(Platform::kFormat888);
    ASSERT_EQ(rig.Init(), DDInterface::RESULT_OK);
    SysFont font(&rig.app, "DejaVu Sans", 30);
    DDImage image(rig.display);
    image.Create(80, 70);
    Fill(image, 0xFF000000);
    image.OnBitsChanged();
    ASSERT_NE(image.GetSurface(), nullptr);
    ASSERT_TRUE(image.LockSurface());
    Graphics g(&image);
    g.SetFont(&font);
    g.SetColor(Color(255, 255, 255));
    g.Translate(-10, 0);
    g.ClipRect(20, 10, 15, 20); // (10, 10) to (25, 30) in the image
    g.DrawString("WWWW", 0, 40);
    EXPECT_EQ(image.mLockCount, 1);
    const uint32_t* bits = image.GetBits();
    int inside = 0;
    for (int y = 0; y < 70; ++y) {
        for (int x = 0; x < 80; ++x) {
            const bool clipped = x >= 10 && x < 25 && y >= 10 && y < 30;
            if (!clipped) {
                EXPECT_EQ(bits[y * 80 + x], 0xFF000000u) << x << "," << y;
            } else if (bits[y * 80 + x] != 0xFF000000u) {
                ++inside;
            }
        }
    }
    EXPECT_GT(inside, 0);
    EXPECT_TRUE(image.UnlockSurface());

    // An image with no pixels is left alone.
    DDImage empty(rig.display);
    Graphics emptyContext(&empty);
    font.DrawString(&emptyContext, 0, 10, "abc", Color(255, 255, 255), Rect(0, 0, 100, 100));
    EXPECT_EQ(empty.mBitsChangedCount, 0);
}

// On a 16-bit screen the text is the 32-bit text narrowed through the layout (over black each
// channel's coverage blend is the coverage itself, so the two agree exactly).
TEST_F(SysFontTest, TextOnASixteenBitScreenIsTheThirtyTwoBitTextNarrowed) {
    std::vector<uint32_t> drawn[2];
    const Platform::PixelFormat formats[2] = {Platform::kFormat888, Platform::kFormat565};
    for (int i = 0; i < 2; ++i) {
        Vuro::Test::DisplayRig rig(formats[i], 64, 48);
        ASSERT_EQ(rig.Init(), DDInterface::RESULT_OK);
        SysFont font(&rig.app, "DejaVu Sans", 20);
        Vuro::Test::FillSurface(rig.display->mDrawSurface.get(), 0);
        Graphics g(rig.display->GetScreenImage());
        g.SetFont(&font);
        g.SetColor(Color(255, 200, 100));
        g.DrawString("Wg", 4, 30);
        drawn[i] = Vuro::Test::ReadSurface(rig.display->mDrawSurface.get());
    }
    ASSERT_EQ(drawn[0].size(), drawn[1].size());
    int ink = 0;
    for (size_t p = 0; p < drawn[0].size(); ++p) {
        EXPECT_EQ(drawn[1][p], Platform::ConvertPixel(drawn[0][p], formats[0], formats[1])) << p;
        ink += drawn[1][p] != 0;
    }
    EXPECT_GT(ink, 40);
}

} // namespace
} // namespace Vuro
