// The display image's surface: how it is made (colour key), read back, locked and dropped, and
// where drawing goes.

#include "framework/display/DDImage.h"

#include "framework/graphics/Graphics.h"
#include "framework/widgets/Widget.h"
#include "framework/widgets/WidgetManager.h"
#include "support/DisplayRig.h"

#include <gtest/gtest.h>

namespace Vuro::Test {
namespace {

using namespace Platform;

// The first transparent pixel's colour is an opaque pixel's too: another key is chosen, and a
// keyed blit shows the opaque pixel.
TEST(DDImageSurfaceTest, TheKeyNeverHidesAVisiblePixel) {
    struct Case {
        PixelFormat format;
        std::vector<uint32_t> surface; // red (the key's first choice) stays visible
        uint32_t blue;
    };
    for (const Case& c :
         {Case{kFormat565, {0, 0xF800, 0x07E0}, 0x1F}, Case{kFormat555, {0, 0x7C00, 0x03E0}, 0x1F},
          Case{kFormat888, {0, 0xFF0000, 0xFF00}, 0xFF}}) {
        DisplayRig rig(c.format);
        ASSERT_EQ(rig.Init(), DDInterface::RESULT_OK);
        auto image = MakeImage(rig.display, 3, 1, {0x00FF0000, 0xFFFF0000, 0xFF00FF00});
        Surface* surface = image->GetSurface();
        ASSERT_NE(surface, nullptr);
        EXPECT_EQ(ReadSurface(surface), c.surface) << FormatName(c.format);
        ColorKey key;
        ASSERT_EQ(surface->GetColorKey(kColorKeySrcBlt, key), kDDOk);
        EXPECT_EQ(key.low, 0u) << "the first value no visible pixel has";
        DDImage* screen = rig.display->GetScreenImage();
        FillSurface(rig.display->mDrawSurface.get(), c.blue);
        Graphics(screen).DrawImage(image.get(), 0, 0);
        const std::vector<uint32_t> drawn = ReadSurface(rig.display->mDrawSurface.get());
        EXPECT_EQ(drawn[0], c.blue) << "transparent";
        EXPECT_EQ(drawn[1], c.surface[1]) << "the opaque red shows";
        EXPECT_EQ(drawn[2], c.surface[2]);
    }
}

TEST(DDImageSurfaceTest, ReadBackHasFullAlphaAndLowBitsZero) {
    struct Case {
        PixelFormat format;
        uint32_t pixel;
        uint32_t bits;
    };
    for (const Case c :
         {Case{kFormat565, 0xFFFF, 0xFFF8FCF8}, Case{kFormat555, 0x7FFF, 0xFFF8F8F8},
          Case{kFormat565, 0x8410, 0xFF808080}, Case{kFormat888, 0x123456, 0xFF123456}}) {
        DisplayRig rig(c.format);
        ASSERT_EQ(rig.Init(), DDInterface::RESULT_OK);
        auto image = MakeImage(rig.display, 2, 2, std::vector<uint32_t>(4, 0xFF000000));
        ASSERT_NE(image->GetSurface(), nullptr);
        FillSurface(image->mSurface.get(), c.pixel);
        image->DeleteMemoryBuffers();
        const uint32_t* bits = image->GetBits();
        EXPECT_EQ(bits[3], c.bits) << FormatName(c.format);
        EXPECT_EQ(bits[4], MemoryImage::kSentinel);
        EXPECT_NE(image->mSurface, nullptr) << "the surface stays";
    }
}

TEST(DDImageSurfaceTest, SurfaceLifecycle) {
    DisplayRig rig(kFormat565);
    ASSERT_EQ(rig.Init(), DDInterface::RESULT_OK);
    // Partial alpha: no surface, drawing goes to the bits.
    auto soft = MakeImage(rig.display, 2, 1, {0x80FFFFFF, 0xFF000000});
    EXPECT_EQ(soft->GetSurface(), nullptr);
    soft->FillRect(Rect(0, 0, 2, 1), Color(0, 0, 255), kDrawModeNormal);
    ASSERT_NE(soft->mBits, nullptr);
    EXPECT_EQ(soft->mBits[1], 0xFF0000FFu);

    // Opaque: the fill goes to the surface and the bits go.
    auto opaque = MakeImage(rig.display, 2, 1, {0xFF000000, 0xFF000000});
    opaque->FillRect(Rect(0, 0, 2, 1), Color(255, 255, 255), kDrawModeNormal);
    EXPECT_EQ(opaque->mBits, nullptr);
    EXPECT_EQ(ReadSurface(opaque->mSurface.get()), std::vector<uint32_t>(2, 0xFFFF));

    // The video-memory wish: unchanged does nothing; changed, the picture survives in bits
    // and the next surface is made in video memory.
    Surface* before = opaque->mSurface.get();
    opaque->SetVideoMemory(false);
    EXPECT_EQ(opaque->mSurface.get(), before);
    opaque->SetVideoMemory(true);
    EXPECT_EQ(opaque->mSurface, nullptr);
    ASSERT_NE(opaque->GetSurface(), nullptr);
    SurfaceDesc desc;
    ASSERT_EQ(opaque->mSurface->GetSurfaceDesc(desc), kDDOk);
    EXPECT_NE(desc.caps & kCapsVideoMemory, 0u);
    EXPECT_EQ(ReadSurface(opaque->mSurface.get()), std::vector<uint32_t>(2, 0xFFFF));

    // Nested locks unlock the surface once, at the outermost unlock.
    SurfaceDesc outside;
    ASSERT_TRUE(opaque->LockSurface());
    ASSERT_TRUE(opaque->LockSurface());
    EXPECT_TRUE(opaque->UnlockSurface());
    EXPECT_EQ(opaque->mSurface->Lock(outside, 0), kDDErrSurfaceBusy);
    EXPECT_TRUE(opaque->UnlockSurface());
    EXPECT_EQ(opaque->mLockCount, 0);
    ASSERT_EQ(opaque->mSurface->Lock(outside, 0), kDDOk);
    ASSERT_EQ(opaque->mSurface->Unlock(), kDDOk);

    // Create leaves neither surface nor bits; an image without a surface is never locked.
    opaque->Create(4, 4);
    EXPECT_EQ(opaque->mSurface, nullptr);
    EXPECT_EQ(opaque->mBits, nullptr);
    EXPECT_FALSE(opaque->LockSurface());

    // A surface that cannot be filled is not kept; the picture stays in the bits.
    auto failing = MakeImage(rig.display, 1, 1, {0xFF123456});
    FakeDirectDraw::Fail("Lock", kDDErrGeneric);
    EXPECT_EQ(failing->GetSurface(), nullptr);
    EXPECT_EQ(failing->mBits[0], 0xFF123456u);
    EXPECT_NE(failing->GetSurface(), nullptr) << "made on the next try";

    // On the 3-D screen no lock is handed out.
    rig.display->mIs3D = true;
    rig.display->GetScreenImage()->mSurface = rig.display->mDrawSurface;
    EXPECT_FALSE(rig.display->GetScreenImage()->LockSurface());
    EXPECT_FALSE(rig.display->GetScreenImage()->UnlockSurface());
    rig.display->mIs3D = false;
}

// Bits written into the screen go into its surface, which the screen keeps.
TEST(DDImageSurfaceTest, TheScreensSurfaceIsNeverDroppedWithItsBits) {
    DisplayRig rig(kFormat565, 4, 2);
    ASSERT_EQ(rig.Init(), DDInterface::RESULT_OK);
    DDImage* screen = rig.display->GetScreenImage();
    FillSurface(rig.display->mDrawSurface.get(), 0xFFFF);
    screen->ClearRect(Rect(1, 0, 2, 2));
    EXPECT_EQ(screen->mSurface, rig.display->mDrawSurface);
    EXPECT_EQ(ReadSurface(rig.display->mDrawSurface.get()),
              (std::vector<uint32_t>{0xFFFF, 0, 0, 0xFFFF, 0xFFFF, 0, 0, 0xFFFF}));
    screen->DropExtraBuffers();
    screen->DropNativeData();
    EXPECT_EQ(screen->mSurface, rig.display->mDrawSurface);
}

TEST(DDImageSurfaceTest, ImagesOutlivingTheDisplayKeepTheirPictures) {
    auto rig = std::make_unique<DisplayRig>(kFormat888);
    ASSERT_EQ(rig->Init(), DDInterface::RESULT_OK);
    DDImage image(rig->display);
    const uint32_t pixel = 0xFF102030;
    image.SetBits(&pixel, 1, 1);
    ASSERT_NE(image.GetSurface(), nullptr);
    image.DeleteMemoryBuffers();
    delete rig->display;
    rig->display = nullptr;
    rig->app.mDDInterface = nullptr;
    EXPECT_EQ(image.mDDInterface, nullptr);
    EXPECT_EQ(image.mSurface, nullptr);
    EXPECT_EQ(image.GetBits()[0], 0xFF102030u);
    image.FillRect(Rect(0, 0, 1, 1), Color(1, 2, 3), kDrawModeNormal);
    EXPECT_EQ(image.GetBits()[0], 0xFF010203u) << "drawn in memory";
}

// Notes the screen's lock depth while it draws.
class LockProbe : public Widget {
public:
    explicit LockProbe(DDImage* screen) : mScreen(screen) { Resize(0, 0, 10, 10); }
    void Draw(Graphics*) override { mDepthSeen = mScreen->mLockCount; }
    DDImage* mScreen;
    int mDepthSeen = -1;
};

TEST(DDImageSurfaceTest, TheWidgetManagerDrawsWithTheScreenLocked) {
    DisplayRig rig(kFormat888);
    ASSERT_EQ(rig.Init(), DDInterface::RESULT_OK);
    WidgetManager manager(&rig.app);
    manager.mImage = rig.display->GetScreenImage();
    LockProbe probe(rig.display->GetScreenImage());
    manager.AddWidget(&probe);
    probe.Invalidate();
    EXPECT_TRUE(manager.DrawScreen());
    EXPECT_EQ(probe.mDepthSeen, 1);
    EXPECT_EQ(rig.display->GetScreenImage()->mLockCount, 0);
    manager.RemoveWidget(&probe);
}

} // namespace
} // namespace Vuro::Test
