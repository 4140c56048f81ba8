// The 3-D capability test: the five rendering tests on SDL's software renderer, its stored
// outcome, the card rule and lists, the memory check, and the verdicts of the pixel checks.

#include "framework/display/D3DTester.h"
#include "framework/app/StackApp.h"
#include "platform/MemorySurface.h"
#include "support/DisplayRig.h"
#include "support/MemoryRegistry.h"
#include "support/TempWorkingFolder.h"

#include <gtest/gtest.h>

#include <fstream>

namespace Vuro {
namespace {

struct TesterRig {
    TesterRig() : rig(Platform::kFormat888, 64, 48) {
        rig.app.mRegKey = "Test\\Tester3D";
        rig.app.mAutoEnable3D = true;
    }
    D3DTester& Run() {
        rig.display->mD3DTester.reset();
        EXPECT_EQ(rig.Init(), DDInterface::RESULT_OK);
        return *rig.display->mD3DTester;
    }
    std::string Stored(const char* name) {
        char buffer[256] = {};
        uint32_t type = 0;
        uint32_t length = sizeof(buffer);
        if (registry.QueryValue("Test\\Tester3D", "Test3D", name, type,
                                reinterpret_cast<uint8_t*>(buffer),
                                length) != Platform::RegResult::Ok) {
            return "<none>";
        }
        return type == Platform::kRegSz ? std::string(buffer) : std::to_string(buffer[0]);
    }

    Test::MemoryRegistry registry;
    Test::TempWorkingFolder folder; // no card lists
    Test::DisplayRig rig;
};

// On the software renderer every rendering test passes; being no card, it is not recommended,
// so a first start leaves 3-D off (Shift+F8 may still switch it on). The verdict is stored and
// read back on the next start (not fresh).
TEST(D3DTesterTest, TheSoftwareRendererPassesAndItsVerdictIsReadBack) {
    TesterRig rig;
    D3DTester& first = rig.Run();
    EXPECT_EQ(first.mFailureReason, "");
    EXPECT_EQ(first.mWarning, "Unsupported video card: SDL software renderer");
    EXPECT_TRUE(first.mFreshResult);
    EXPECT_FALSE(rig.rig.display->mIs3D);
    EXPECT_EQ(rig.Stored("Version"), "2");
    EXPECT_EQ(rig.Stored("FailureReason"), "");
    EXPECT_TRUE(rig.rig.app.Is3DSupported());
    EXPECT_FALSE(rig.rig.app.Is3DRecommended());

    EXPECT_TRUE(first.mOverrulesStored3D) << "a fresh warning";

    D3DTester& again = rig.Run();
    EXPECT_FALSE(again.mFreshResult);
    EXPECT_FALSE(again.mOverrulesStored3D) << "a warning read back leaves the choice alone";
    EXPECT_EQ(again.mFailureReason, "");
    EXPECT_EQ(again.mWarning, "Unsupported video card: SDL software renderer");

    // A stored outcome for other memory thresholds is not used: the test runs again.
    rig.rig.app.mMinVidMemory3D = 7;
    EXPECT_TRUE(rig.Run().mFreshResult);
    EXPECT_EQ(rig.Stored("MinVidMemory"), "7");
}

// The skip setting runs nothing and reads nothing back: the empty outcome passes through the
// demo (two strings and a flag, each a synchronised value) and a wanted 3-D goes on.
TEST(D3DTesterTest, TheSkipSettingOnlyPassesTheEmptyOutcomeThroughTheDemo) {
    TesterRig rig;
    rig.rig.app.mSkip3DTest = true;
    rig.rig.app.mRecordingDemoBuffer = true;
    D3DTester& tester = rig.Run();
    rig.rig.app.mRecordingDemoBuffer = false;
    EXPECT_EQ(tester.mFailureReason, "");
    EXPECT_EQ(tester.mWarning, "");
    EXPECT_FALSE(tester.mFreshResult);
    EXPECT_EQ(rig.Stored("Version"), "<none>") << "nothing was tested, so nothing stored";
    EXPECT_TRUE(rig.rig.display->mIs3D);
    // Header (10 bits), length (32) and bytes: "" as a 16-bit length, twice, then one byte.
    EXPECT_EQ(rig.rig.app.mDemoBuffer.GetDataLen(), (58 + 58 + 50 + 7) / 8);
}

// The application hears of an outcome found now, not of one read back.
TEST(D3DTesterTest, AFreshOutcomeCallsTheApplicationsHook) {
    class HookApp : public VuroAppBase {
    public:
        void Fresh3DTestHook() override { ++freshTests; }
        int freshTests = 0;
    };
    TesterRig rig;
    StackApp<HookApp> app;
    app.mRegKey = "Test\\Tester3D";
    app.mTest3D = true;
    for (int expected : {1, 1}) {
        DDInterface display(&app);
        ASSERT_EQ(display.Init(rig.rig.window.get(), true), DDInterface::RESULT_OK);
        EXPECT_EQ(app.freshTests, expected);
    }
}

// A stored failure is used as it stands on the next start and keeps 3-D off.
TEST(D3DTesterTest, AStoredFailureStands) {
    TesterRig rig;
    (void)rig.Run();
    const std::string reason = "Alpha blend Not Supported";
    ASSERT_TRUE(rig.registry.SetValue("Test\\Tester3D", "Test3D", "FailureReason", Platform::kRegSz,
                                      reinterpret_cast<const uint8_t*>(reason.c_str()),
                                      static_cast<uint32_t>(reason.size() + 1)));
    rig.rig.display->mIs3D = false;
    D3DTester& tester = rig.Run();
    EXPECT_EQ(tester.mFailureReason, reason);
    EXPECT_FALSE(tester.mFreshResult);
    EXPECT_FALSE(rig.rig.display->mIs3D);
    EXPECT_FALSE(rig.rig.app.Is3DSupported());
}

// Failures of setup become the reason; the memory is summed without wrapping.
TEST(D3DTesterTest, SetupFailuresAndTheMemoryCheck) {
    {
        TesterRig rig;
        Vuro::Test::FakeDirectDraw::Fail("CreateDevice", Platform::kDDErrGeneric);
        EXPECT_EQ(rig.Run().mFailureReason, "DXError - CreateDevice: 80004005");
        EXPECT_FALSE(rig.rig.display->mIs3D);
    }
    {
        // The second test texture's failure reason names "TextureSurfacd2".
        TesterRig rig;
        Vuro::Test::FakeDirectDraw::Fail("CreateTexture", Platform::kDDErrGeneric, 1);
        EXPECT_EQ(rig.Run().mFailureReason, "DXError - CreateSurface (TextureSurfacd2): 80004005");
    }
    {
        // A failing scene end fails the first test; ending it again in the handler fails too
        // and must not throw out of the test.
        TesterRig rig;
        Vuro::Test::FakeDirectDraw::Fail("EndScene", Platform::kDDErrGeneric, 0, 2);
        EXPECT_EQ(rig.Run().mFailureReason, "DXError - EndScene: 80004005");
    }
    {
        TesterRig rig;
        rig.rig.device.mVideoMemory = 2u << 20;
        EXPECT_EQ(rig.Run().mFailureReason, "Not enough video memory.");
    }
    {
        TesterRig rig;
        rig.rig.device.mVideoMemory = 10u << 20;
        std::ofstream("vhw.dat") << "software\n"; // a card allowed, so no later warning
        EXPECT_EQ(rig.Run().mWarning, "Low video memory.");
    }
    {
        // 4 GB of video memory plus the desktop would wrap a 32-bit sum to a few megabytes.
        TesterRig rig;
        rig.rig.device.mVideoMemory = 0xFFFFFFFF;
        EXPECT_EQ(rig.Run().mFailureReason, "");
    }
}

TEST(D3DTesterTest, CardRuleAndLists) {
    Vuro::Test::TempWorkingFolder folder;
    D3DTester tester;
    tester.mDriverYear = 2001;
    EXPECT_TRUE(tester.IsRecommendedCard("ATI Radeon 9600"));
    EXPECT_FALSE(tester.IsRecommendedCard("Rage Pro"));
    tester.mDriverYear = 2002;
    EXPECT_TRUE(tester.IsRecommendedCard("Rage Pro"));
    std::ofstream("vhwb.dat") << "\n   \n  geforce2 mx  \n";
    EXPECT_FALSE(tester.IsRecommendedCard("NVIDIA GeForce2 MX/MX 400"));
    EXPECT_TRUE(tester.IsRecommendedCard("NVIDIA GeForce4 Ti")); // empty lines match nothing
    std::ofstream("vhw.dat") << "radeon\n";
    EXPECT_FALSE(tester.IsRecommendedCard("NVIDIA GeForce4 Ti"));
    EXPECT_TRUE(tester.IsRecommendedCard("ATI RADEON 7000"));
}

// The pixel verdicts: a distance of 256 passes and 1024 fails; a region within the limit but
// not all equal passes and is not uniform; stripes out of place are counted.
TEST(D3DTesterTest, PixelVerdicts) {
    D3DTestImage image(10, 10);
    image.FillRect(0, 0, 10, 10, 0xFF7F107F);
    int count = -1;
    EXPECT_TRUE(image.CheckUniform(0x7F007F, count, 10, 10));
    EXPECT_EQ(count, 0);
    image.FillRect(3, 3, 1, 1, 0xFF7F207F);
    EXPECT_FALSE(image.CheckUniform(0x7F007F, count, 10, 10));
    EXPECT_EQ(count, 1);
    EXPECT_EQ(ColorDistanceSq(0x10101010, 0x20202020), 768);

    D3DTestImage stripes(8, 4);
    stripes.FillStripes();
    EXPECT_EQ(stripes.CountStripeErrors(8, 4, 0, 0), 0);
    EXPECT_EQ(stripes.CountStripeErrors(6, 4, 1, 0), 24); // shifted by one column: all wrong
}

// A render surface of 24 bits fails the first test with its text; ending the failed scene
// does not throw out of the handler.
TEST(D3DTesterTest, ATwentyFourBitSurfaceFailsTheFirstTest) {
    TesterRig rig;
    (void)rig.Run();
    D3DTester tester;
    std::shared_ptr<Platform::Surface> surface32 = std::make_shared<Platform::MemorySurface>(
        100, 100, Platform::kFormat888, Platform::kCapsOffscreenPlain, nullptr);
    ASSERT_FALSE(Platform::DDFailed(Platform::CreateDevice3D(surface32.get(), tester.mDevice)));
    ASSERT_FALSE(Platform::DDFailed(tester.mDevice->CreateTexture(
        64, 64, Platform::kTexFormatA8R8G8B8, tester.mTextureSurface1)));
    tester.mTestImage.Create(100, 100);
    tester.mRenderSurface = std::make_shared<Platform::MemorySurface>(
        100, 100, Platform::PixelFormat{24, 0xFF0000, 0xFF00, 0xFF}, Platform::kCapsOffscreenPlain,
        nullptr);
    EXPECT_FALSE(tester.RunBlendTests());
    EXPECT_EQ(tester.mFailureReason, "Can't test 24-bit mode.");
}

} // namespace
} // namespace Vuro
