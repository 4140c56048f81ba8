#include "framework/display/DDImage.h"

#include "framework/app/VuroAppBase.h"
#include "framework/display/DDInterface.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/MemoryImage.h"
#include "framework/widgets/Widget.h"
#include "framework/widgets/WidgetManager.h"
#include "support/FakeWindowSystem.h"

#include <gtest/gtest.h>

namespace Vuro {
namespace {

class DDImageTest : public ::testing::Test {
protected:
    VuroAppBase mApp;
    DDInterface mDisplay{&mApp};
    DDImage mImage{&mDisplay};
};

TEST_F(DDImageTest, LockingNestsAndIsRefusedOnThe3DPath) {
    EXPECT_TRUE(mImage.LockSurface());
    EXPECT_TRUE(mImage.LockSurface());
    EXPECT_EQ(mImage.mLockCount, 2);
    EXPECT_TRUE(mImage.UnlockSurface());
    EXPECT_TRUE(mImage.UnlockSurface());
    EXPECT_EQ(mImage.mLockCount, 0);
    EXPECT_TRUE(mImage.UnlockSurface()); // an extra unlock does not go below zero
    EXPECT_EQ(mImage.mLockCount, 0);

    mDisplay.mIs3D = true;
    EXPECT_FALSE(mImage.LockSurface());
    EXPECT_FALSE(mImage.UnlockSurface());
    EXPECT_EQ(mImage.mLockCount, 0);
}

// Notes the screen's lock depth while it draws.
class LockProbe : public Widget {
public:
    explicit LockProbe(DDImage* screen) : mScreen(screen) { Resize(0, 0, 10, 10); }
    void Draw(Graphics*) override { mDepthSeen = mScreen->mLockCount; }
    DDImage* mScreen;
    int mDepthSeen = -1;
};

TEST_F(DDImageTest, TheWidgetManagerDrawsWithTheScreenLocked) {
    mImage.Create(20, 20);
    WidgetManager manager(&mApp);
    manager.mImage = &mImage;
    LockProbe probe(&mImage);
    manager.AddWidget(&probe);
    probe.Invalidate();
    EXPECT_TRUE(manager.DrawScreen());
    EXPECT_EQ(probe.mDepthSeen, 1);
    EXPECT_EQ(mImage.mLockCount, 0);
    manager.RemoveWidget(&probe);
}

// The screen has no alpha channel: a half-transparent source pixel is mixed with the opaque-
// destination formula, each field (d x (256 - sa) >> 8) + (s x sa >> 8), alpha 255.
TEST(DDInterfaceScreen, TheScreenImageIsOpaque) {
    VuroAppBase app;
    app.mWidth = 4;
    app.mHeight = 2;
    auto* display = new DDInterface(&app);
    app.mDDInterface = display;
    Vuro::Test::FakeWindowSystem windows;
    auto window = windows.CreateWindow(Platform::WindowParams{});
    ASSERT_EQ(display->Init(window.get(), true), DDInterface::RESULT_OK);
    DDImage* screen = display->GetScreenImage();
    ASSERT_NE(screen, nullptr);
    EXPECT_FALSE(screen->mHasAlpha);
    EXPECT_FALSE(screen->mHasTrans);

    uint32_t* bits = screen->GetBits();
    for (int i = 0; i < 8; ++i) {
        bits[i] = 0xFF204060;
    }
    screen->OnBitsChanged();
    MemoryImage source(&app);
    const uint32_t pixel = 0x80FF8000; // alpha 128
    source.SetBits(&pixel, 1, 1);
    Graphics g(screen);
    g.DrawImage(&source, 1, 0);
    // red (0x20 x 128 >> 8) + (0xFF x 128 >> 8) = 16 + 127 = 143; green 32 + 64 = 96;
    // blue 48 + 0 = 48.
    EXPECT_EQ(screen->GetBits()[1], 0xFF8F6030u);
    EXPECT_EQ(screen->GetBits()[0], 0xFF204060u);
}

} // namespace
} // namespace Vuro
