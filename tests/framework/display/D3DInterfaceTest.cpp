// The 3-D device on SDL's software renderer under the display: images drawn through their
// texture pieces, blending, texture formats and read-back, and the recording of failures.

#include "framework/display/D3DInterface.h"
#include "framework/display/TextureData.h"
#include "framework/graphics/MemoryImage.h"
#include "framework/util/Matrix.h"
#include "support/DisplayRig.h"
#include "support/MemoryRegistry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

namespace Vuro {
namespace {

using Test::DisplayRig;
using Test::FakeDirectDraw;

// A display drawing in 3-D on a 32-bit window of 200 x 100.
struct Rig3D {
    Rig3D() : rig(Platform::kFormat888, 200, 100) {
        rig.app.mRegKey = "Test\\Display3D";
        rig.display->mIs3D = true;
        gD3DError.clear();
    }
    ~Rig3D() { gD3DError.clear(); }
    int Init() { return rig.Init(); }
    DDImage* Screen() { return rig.display->GetScreenImage(); }
    uint32_t At(int x, int y) { return Screen()->GetBits()[y * 200 + x] & 0xFFFFFF; }

    Test::MemoryRegistry registry;
    DisplayRig rig;
};

uint32_t Pattern(int x, int y) {
    return 0xFF000000u | static_cast<uint32_t>(x * 3 & 0xFF) << 16 |
           static_cast<uint32_t>(y * 5 & 0xFF) << 8 | static_cast<uint32_t>((x + y) & 0xFF);
}

std::unique_ptr<MemoryImage> PatternImage(VuroAppBase* app, int width, int height) {
    std::vector<uint32_t> pixels;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            pixels.push_back(Pattern(x, y));
        }
    }
    auto image = std::make_unique<MemoryImage>(app);
    image->SetBits(pixels.data(), width, height);
    return image;
}

// A source rectangle lands texel for texel, whatever the pieces and the texture format.
TEST(D3DInterfaceTest, ImagesLandTexelForTexelThroughTheirPieces) {
    struct Case {
        int flags;
        int format;
        uint32_t (*expect)(uint32_t);
    } cases[] = {
        {8, TextureData::kFormatA8R8G8B8, [](uint32_t p) { return p; }},
        {8 | 2, TextureData::kFormatA8R8G8B8, [](uint32_t p) { return p; }},
        // The renderer widens 5- and 6-bit channels by repeating their top bits.
        {0, TextureData::kFormatR5G6B5,
         [](uint32_t p) {
             const uint32_t r = p >> 19 & 0x1F;
             const uint32_t g = p >> 10 & 0x3F;
             const uint32_t b = p >> 3 & 0x1F;
             return (r << 3 | r >> 2) << 16 | (g << 2 | g >> 4) << 8 | (b << 3 | b >> 2);
         }},
        {4 | 8 | 2, TextureData::kFormatA4R4G4B4,
         [](uint32_t p) { return FromA4R4G4B4(ToA4R4G4B4(p)); }},
    };
    for (const Case& c : cases) {
        Rig3D rig;
        ASSERT_EQ(rig.Init(), DDInterface::RESULT_OK) << rig.rig.display->mErrorString;
        auto image = PatternImage(&rig.rig.app, 150, 70);
        image->mTextureFlags = c.flags;
        rig.Screen()->Blt(image.get(), 5, 3, Rect(10, 4, 130, 60), Color::White, kDrawModeNormal);
        ASSERT_NE(image->mTextureData, nullptr);
        EXPECT_EQ(image->mTextureData->mPixelFormat, c.format);
        const uint32_t* screen = rig.Screen()->GetBits();
        for (int y = 0; y < 100; ++y) {
            for (int x = 0; x < 200; ++x) {
                const bool inside = x >= 5 && x < 135 && y >= 3 && y < 63;
                const uint32_t want = inside ? c.expect(Pattern(x - 5 + 10, y - 3 + 4)) : 0;
                ASSERT_EQ(screen[y * 200 + x] & 0xFFFFFF, want & 0xFFFFFF)
                    << x << "," << y << " flags " << c.flags;
            }
        }
        EXPECT_TRUE(rig.rig.display->Redraw(nullptr));
    }
}

// The display's matrix drawing takes the device's one call and lands where the software path
// puts it (the rectangle centred on the origin, through the matrix, at the given point): a
// quarter turn, a mirrored doubling and a half turn of an 8 x 6 picture cover the same pixels.
// (The two rasterisers sample the texels by their own rules, so only the cover is compared.)
TEST(D3DInterfaceTest, MatrixDrawingLandsWhereTheSoftwarePathPutsIt) {
    auto cover = [](bool use3D) {
        Rig3D rig;
        rig.rig.display->mIs3D = use3D;
        EXPECT_EQ(rig.Init(), DDInterface::RESULT_OK);
        const std::vector<uint32_t> grey(8 * 6, 0xFF808080);
        MemoryImage image(&rig.rig.app);
        image.SetBits(grey.data(), 8, 6);
        Transform2D quarter;
        quarter.RotateRad(1.5707963f);
        Transform2D doubled;
        doubled.Scale(-2, 2);
        Transform2D half;
        half.RotateRad(3.1415927f);
        float x = 20;
        for (const Transform2D* matrix : {&quarter, &doubled, &half}) {
            rig.Screen()->BltMatrix(&image, x, 40, *matrix, Rect(0, 0, 200, 100), Color::White,
                                    kDrawModeNormal, Rect(0, 0, 8, 6), false);
            x += 40;
        }
        EXPECT_TRUE(rig.rig.display->Redraw(nullptr));
        const uint32_t* bits = rig.Screen()->GetBits();
        std::string covered;
        for (int i = 0; i < 200 * 100; ++i) {
            covered += (bits[i] & 0xFFFFFF) != 0 ? '#' : '.';
        }
        return covered;
    };
    const std::string software = cover(false);
    EXPECT_EQ(std::count(software.begin(), software.end(), '#'), 6 * 8 + 12 * 16 + 8 * 6);
    EXPECT_EQ(software[40 * 200 + 20], '#');
    EXPECT_EQ(cover(true), software);
}

// Normal drawing blends source alpha over the screen; additive adds the colour times its
// alpha (a half-transparent pixel adds half its colour), saturating. Within 2 of the exact
// sums: SDL's software blending rounds down on the way.
TEST(D3DInterfaceTest, NormalAndAdditiveBlending) {
    Rig3D rig;
    ASSERT_EQ(rig.Init(), DDInterface::RESULT_OK);
    const uint32_t pixel = 0x80FF8040;
    MemoryImage image(&rig.rig.app);
    std::vector<uint32_t> pixels(16, pixel);
    image.SetBits(pixels.data(), 4, 4);
    rig.Screen()->FillRect(Rect(0, 0, 200, 100), Color(0x20, 0x40, 0xF0), kDrawModeNormal);
    rig.Screen()->Blt(&image, 10, 10, Rect(0, 0, 4, 4), Color::White, kDrawModeNormal);
    rig.Screen()->Blt(&image, 20, 10, Rect(0, 0, 4, 4), Color::White, kDrawModeAdditive);
    rig.Screen()->Blt(&image, 30, 10, Rect(0, 0, 4, 4), Color(255, 255, 255, 128), kDrawModeNormal);
    auto near = [](uint32_t got, int r, int g, int b) {
        return std::abs(int(got >> 16 & 0xFF) - r) <= 2 &&
               std::abs(int(got >> 8 & 0xFF) - g) <= 2 && std::abs(int(got & 0xFF) - b) <= 2;
    };
    const double a = 128 / 255.0;
    auto blend = [](int c, int d, double alpha) { return int(c * alpha + d * (1 - alpha) + 0.5); };
    EXPECT_TRUE(
        near(rig.At(11, 11), blend(0xFF, 0x20, a), blend(0x80, 0x40, a), blend(0x40, 0xF0, a)))
        << std::hex << rig.At(11, 11);
    EXPECT_TRUE(near(rig.At(21, 11), 0x20 + 128, 0x40 + 64, 0xFF)) << std::hex << rig.At(21, 11);
    // The colour's alpha modulates the texture's: a quarter.
    const double quarter = a * a;
    EXPECT_TRUE(near(rig.At(31, 11), blend(0xFF, 0x20, quarter), blend(0x80, 0x40, quarter),
                     blend(0x40, 0xF0, quarter)))
        << std::hex << rig.At(31, 11);
    EXPECT_EQ(rig.At(9, 11), 0x2040F0u);
}

// Textures hold the pixels after the bits are dropped and give them back; a palettised image
// shows its present palette after the palette changed.
TEST(D3DInterfaceTest, TexturesReadBackAndFollowTheirPalette) {
    Rig3D rig;
    ASSERT_EQ(rig.Init(), DDInterface::RESULT_OK);
    MemoryImage image(&rig.rig.app);
    const uint32_t pixels[4] = {0x80FF0000, 0xFF00FF00, 0x80FF0000, 0x400000FF};
    image.SetBits(pixels, 2, 2);
    image.mTextureFlags = 4; // A4R4G4B4
    rig.Screen()->Blt(&image, 0, 0, Rect(0, 0, 2, 2), Color::White, kDrawModeNormal);
    ASSERT_EQ(image.mTextureData->mPixelFormat, TextureData::kFormatA4R4G4B4);
    image.DropBits();
    ASSERT_FALSE(image.mBits);
    const uint32_t* back = image.GetBits();
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(back[i], FromA4R4G4B4(ToA4R4G4B4(pixels[i]))) << i;
    }

    MemoryImage indexed(&rig.rig.app);
    const uint32_t two[2] = {0xFFFF0000, 0xFF0000FF};
    indexed.SetBits(two, 2, 1);
    ASSERT_TRUE(indexed.Palletize());
    rig.Screen()->Blt(&indexed, 50, 50, Rect(0, 0, 2, 1), Color::White, kDrawModeNormal);
    ASSERT_EQ(indexed.mTextureData->mPixelFormat, TextureData::kFormatPalette8);
    EXPECT_EQ(rig.At(50, 50), 0xFF0000u);
    indexed.mColorTable[indexed.mColorIndices[0]] = 0xFF00FF00;
    indexed.OnBitsChanged();
    rig.Screen()->Blt(&indexed, 50, 50, Rect(0, 0, 2, 1), Color::White, kDrawModeNormal);
    EXPECT_EQ(rig.At(50, 50), 0x00FF00u);
    EXPECT_EQ(rig.At(51, 50), 0x0000FFu);
}

// A piece whose texture could not be made is skipped; the others are drawn.
TEST(D3DInterfaceTest, APieceWithoutTextureIsSkipped) {
    Rig3D rig;
    ASSERT_EQ(rig.Init(), DDInterface::RESULT_OK);
    auto image = PatternImage(&rig.rig.app, 128, 64);
    image->mTextureFlags = 8 | 2;
    FakeDirectDraw::Fail("CreateTexture", Platform::kDDErrOutOfMemory, 1);
    rig.Screen()->Blt(image.get(), 0, 0, Rect(0, 0, 128, 64), Color::White, kDrawModeNormal);
    EXPECT_EQ(image->mTextureData->mTexMemSize, 64 * 64 * 4);
    EXPECT_EQ(rig.At(10, 10), Pattern(10, 10) & 0xFFFFFF);
    EXPECT_EQ(rig.At(70, 10), 0u);
    EXPECT_TRUE(gD3DError.empty());
}

// A failing call is recorded and written to the settings once per text, never in a demo; the
// next presentation fails and the display leaves 3-D.
TEST(D3DInterfaceTest, AFailureIsRecordedOnceAndEndsTheThreeDPath) {
    Rig3D rig;
    ASSERT_EQ(rig.Init(), DDInterface::RESULT_OK);
    auto image = PatternImage(&rig.rig.app, 8, 8);
    FakeDirectDraw::Fail("DrawPrimitive", Platform::kDDErrGeneric, 0, 3);
    for (int i = 0; i < 2; ++i) {
        rig.Screen()->Blt(image.get(), 0, 0, Rect(0, 0, 8, 8), Color::White, kDrawModeNormal);
    }
    EXPECT_EQ(gD3DError, "DrawPrimitive (Tri) 1: 80004005");
    const auto writes = std::count(rig.registry.mWriteLog.begin(), rig.registry.mWriteLog.end(),
                                   std::string("Test3D\\RuntimeError"));
    EXPECT_EQ(writes, 1);
    rig.rig.app.mRecordingDemoBuffer = true;
    rig.Screen()->FillRect(Rect(0, 0, 4, 4), Color::White, kDrawModeNormal);
    rig.rig.app.mRecordingDemoBuffer = false;
    EXPECT_EQ(gD3DError, "DrawPrimitive (Rect): 80004005");
    EXPECT_EQ(std::count(rig.registry.mWriteLog.begin(), rig.registry.mWriteLog.end(),
                         std::string("Test3D\\RuntimeError")),
              1);
    EXPECT_FALSE(rig.rig.display->m3DFaultReported);
    EXPECT_FALSE(rig.rig.display->Redraw(nullptr));
    EXPECT_FALSE(rig.rig.display->mIs3D);
    EXPECT_TRUE(rig.rig.display->m3DFaultReported) << "kept for the end of the run";
}

// A refused render target draws nothing and fails the presentation; the next Init recovers.
TEST(D3DInterfaceTest, ALostRenderTargetIsRecoveredByTheNextInit) {
    Rig3D rig;
    ASSERT_EQ(rig.Init(), DDInterface::RESULT_OK);
    FakeDirectDraw::Fail("SetRenderTarget", Platform::kDDErrSurfaceLost, 0, 2);
    rig.Screen()->FillRect(Rect(0, 0, 10, 10), Color::White, kDrawModeNormal);
    rig.Screen()->FillRect(Rect(0, 0, 10, 10), Color::White, kDrawModeNormal);
    EXPECT_TRUE(rig.rig.display->mD3DInterface->mRenderTargetLost);
    EXPECT_FALSE(rig.rig.display->Redraw(nullptr));
    EXPECT_TRUE(rig.rig.display->mIs3D);
    EXPECT_FALSE(rig.rig.display->m3DFaultReported) << "a lost target is no 3-D fault";
    ASSERT_EQ(rig.Init(), DDInterface::RESULT_OK);
    EXPECT_FALSE(rig.rig.display->mD3DInterface->mRenderTargetLost);
    rig.Screen()->FillRect(Rect(0, 0, 10, 10), Color::White, kDrawModeNormal);
    EXPECT_EQ(rig.At(5, 5), 0xFFFFFFu);
    EXPECT_TRUE(rig.rig.display->Redraw(nullptr));
}

// The 3-D screen's bits behave as a 2-D screen's: one buffer until the picture changes, and
// bits handed back go into the surface.
TEST(D3DInterfaceTest, TheScreensBitsStayAndGoBackIntoItsSurface) {
    Rig3D rig;
    ASSERT_EQ(rig.Init(), DDInterface::RESULT_OK);
    DDImage* screen = rig.Screen();
    screen->FillRect(Rect(0, 0, 200, 100), Color(0, 0, 255), kDrawModeNormal);
    uint32_t* bits = screen->GetBits();
    EXPECT_EQ(bits[0], 0xFF0000FFu) << "the scene's picture is read";
    bits[0] = 0xFF112233;
    EXPECT_EQ(screen->GetBits()[0], 0xFF112233u) << "the same buffer, not read again";
    screen->OnBitsChanged();
    EXPECT_EQ(Vuro::Test::ReadSurface(rig.rig.display->mDrawSurface.get())[0], 0x112233u);
    EXPECT_EQ(rig.At(0, 0), 0x112233u);
    screen->FillRect(Rect(0, 0, 1, 1), Color(255, 0, 0), kDrawModeNormal);
    EXPECT_EQ(rig.At(0, 0), 0xFF0000u) << "drawing makes the bits be read anew";
}

// While the application suspends drawing (its window minimised) the device draws nothing.
TEST(D3DInterfaceTest, WhileDrawingIsSuspendedNothingIsDrawn) {
    Rig3D rig;
    ASSERT_EQ(rig.Init(), DDInterface::RESULT_OK);
    rig.Screen()->FillRect(Rect(0, 0, 200, 100), Color(0, 0, 255), kDrawModeNormal);
    rig.rig.app.mDrawingSuspended = true;
    rig.Screen()->FillRect(Rect(0, 0, 10, 10), Color::White, kDrawModeNormal);
    EXPECT_EQ(rig.At(5, 5), 0x0000FFu);
    rig.rig.app.mDrawingSuspended = false;
    rig.Screen()->FillRect(Rect(0, 0, 10, 10), Color::White, kDrawModeNormal);
    EXPECT_EQ(rig.At(5, 5), 0xFFFFFFu);
}

// One scene a frame however many calls; a polygon of two points draws and records nothing.
TEST(D3DInterfaceTest, OneSceneAFrameAndNoPolygonOfTwoPoints) {
    Rig3D rig;
    ASSERT_EQ(rig.Init(), DDInterface::RESULT_OK);
    FakeDirectDraw::Fail("BeginScene", Platform::kDDErrGeneric, 1);
    const Point points[3] = {{10, 10}, {30, 10}, {10, 30}};
    EXPECT_TRUE(
        rig.Screen()->FillPolygon3D(points, 2, nullptr, Color::White, kDrawModeNormal, 0, 0));
    rig.Screen()->FillRect(Rect(50, 50, 4, 4), Color(0, 0, 255), kDrawModeNormal);
    EXPECT_TRUE(
        rig.Screen()->FillPolygon3D(points, 3, nullptr, Color(255, 0, 0), kDrawModeNormal, 100, 0));
    EXPECT_TRUE(rig.rig.display->Redraw(nullptr));
    EXPECT_TRUE(gD3DError.empty());
    EXPECT_EQ(rig.At(51, 51), 0x0000FFu);
    EXPECT_EQ(rig.At(112, 12), 0xFF0000u);
    EXPECT_EQ(rig.At(12, 12), 0u);
}

} // namespace
} // namespace Vuro
