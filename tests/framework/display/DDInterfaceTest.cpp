#include "framework/display/DDInterface.h"

#include "framework/display/DDImage.h"
#include "platform/Library.h"
#include "support/DisplayRig.h"

#include <gtest/gtest.h>

namespace Vuro::Test {
namespace {

using namespace Platform;

// Every result code of Init and its text, each reached by making one call of the device fail.
TEST(DDInterfaceInitTest, EveryFailingStepAnswersItsCodeAndText) {
    const DDResult code = kDDErrGeneric; // 80004005
    struct Case {
        bool windowed;
        const char* operation;
        int skip;
        int result;
        const char* text;
    };
    const Case cases[] = {
        {true, "DirectDrawCreateEx", 0, 2, "DirectDrawCreateEx: 80004005"},
        {true, "QueryInterface", 0, 2, "QueryrInterface IID_IDirectDraw: 80004005"},
        {false, "SetCooperativeLevel", 0, 4, "SetCooperativeLevel FullScreen: 80004005"},
        {false, "SetDisplayMode", 0, 5, "SetDisplayMode FullScreen: 80004005"},
        {false, "CreateSurface", 0, 3, "CreateSurface FullScreen Primary: 80004005"},
        {false, "GetAttachedSurface", 0, 3, "GetAttachedSurface: 80004005"},
        {false, "CreateSurface", 1, 3, "CreateSurface FullScreen DrawSurface: 80004005"},
        {false, "CreateClipper", 0, 1, "CreateClipper FullScreen: 80004005"},
        {true, "CreateSurface", 0, 3, "CreateSurface Windowed Primary: 80004005"},
        {true, "CreateSurface", 1, 3, "CreateSurface Windowed DrawSurface: 80004005"},
        {true, "CreateClipper", 0, 1, "CreateClipper Windowed: 80004005"},
        {true, "CreateSurface", 2, 3, "CreateSurface OldCursorArea: 80004005"},
        {true, "CreateSurface", 3, 3, "CreateSurface NewCursorArea: 80004005"},
        {true, "GetSurfaceDesc", 0, 6, ""}, // the primary's format cannot be read
    };
    for (const Case& c : cases) {
        DisplayRig rig(kFormat888);
        FakeDirectDraw::Fail(c.operation, code, c.skip);
        EXPECT_EQ(rig.Init(c.windowed), c.result) << c.text;
        EXPECT_EQ(rig.display->mErrorString, c.text);
        EXPECT_FALSE(rig.display->mInitialized);
        EXPECT_FALSE(rig.display->Redraw(nullptr)) << "nothing to present";
        ClearDirectDrawFailures();
        EXPECT_EQ(rig.Init(c.windowed), DDInterface::RESULT_OK) << "the next Init starts afresh";
    }
}

TEST(DDInterfaceInitTest, DepthsOtherThan16Or32AndMissingEntriesAndThe3DDevice) {
    {
        DisplayRig rig(PixelFormat{24, 0xFF0000, 0xFF00, 0xFF});
        EXPECT_EQ(rig.Init(true), DDInterface::RESULT_INVALID_COLORDEPTH);
        EXPECT_EQ(rig.display->mErrorString, "");
        // Full screen sets its own 16-bit mode whatever the desktop is.
        EXPECT_EQ(rig.Init(false), DDInterface::RESULT_OK);
        EXPECT_EQ(rig.display->mRGBBits, 16);
    }
    {
        DisplayRig rig(kFormat888);
        HideLibrary("ddraw.dll");
        DDInterface display(&rig.app);
        InstallLibrary("ddraw.dll", nullptr);
        EXPECT_EQ(display.Init(rig.window.get(), true), DDInterface::RESULT_DD_CREATE_FAIL);
        EXPECT_EQ(display.mErrorString, "DirectDrawCreate: 80004001");
    }
    {
        DisplayRig rig(kFormat888);
        rig.display->mIs3D = true;
        EXPECT_EQ(rig.Init(true), DDInterface::RESULT_OK);
        FakeDirectDraw::Fail("CreateDevice", Platform::kDDErrGeneric);
        EXPECT_EQ(rig.Init(true), DDInterface::RESULT_3D_FAIL);
        EXPECT_EQ(rig.display->mErrorString,
                  "3D init error: CreateDevice IID_IDirect3DHALDevice: 80004005");
        EXPECT_EQ(DDInterface::ResultToString(DDInterface::RESULT_3D_FAIL), "RESULT_UNKNOWN");
    }
    const char* names[] = {"RESULT_OK",
                           "RESULT_FAIL",
                           "RESULT_DD_CREATE_FAIL",
                           "RESULT_SURFACE_FAIL",
                           "RESULT_EXCLUSIVE_FAIL",
                           "RESULT_DISPCHANGE_FAIL",
                           "RESULT_INVALID_COLORDEPTH",
                           "RESULT_UNKNOWN",
                           "RESULT_UNKNOWN"};
    for (int code = 0; code < 9; ++code) {
        EXPECT_EQ(DDInterface::ResultToString(code), names[code]);
    }
}

TEST(DDInterfaceInitTest, WithoutTheNewerEntryTheOlderDeviceMakesSurfacesWithoutKeys) {
    DisplayRig rig(kFormat565);
    const LibraryModule* builtIn = FindBuiltInLibrary("ddraw.dll");
    LibraryModule older{"ddraw.dll", {builtIn->exports[0]}}; // DirectDrawCreate only
    InstallLibrary("ddraw.dll", &older);
    DDInterface display(&rig.app);
    InstallLibrary("ddraw.dll", nullptr);
    ASSERT_EQ(display.Init(rig.window.get(), true), DDInterface::RESULT_OK);
    EXPECT_EQ(display.mDirectDraw7, nullptr);
    SurfaceDesc desc;
    desc.flags = kDescCaps | kDescWidth | kDescHeight | kDescSrcColorKey;
    desc.width = desc.height = 2;
    desc.caps = kCapsSystemMemory;
    desc.srcColorKey = ColorKey{5, 5};
    std::shared_ptr<Surface> surface;
    ASSERT_EQ(display.CreateSurface(desc, surface), kDDOk);
    ColorKey key;
    EXPECT_EQ(surface->GetColorKey(kColorKeySrcBlt, key), kDDErrNotFound);
}

TEST(DDInterfaceInitTest, RefreshRateIsKeptWithin60And100) {
    struct Case {
        uint32_t hertz;
        DDResult result;
        int rate;
        int period;
        bool unreliable;
    };
    for (const Case c : {Case{0, kDDOk, 60, 16, true}, Case{59, kDDOk, 60, 16, true},
                         Case{150, kDDOk, 100, 10, true}, Case{75, kDDOk, 75, 13, false},
                         Case{85, kDDErrUnsupported, 60, 16, true}}) {
        DisplayRig rig(kFormat888);
        rig.device.mFrequency = c.hertz;
        rig.device.mFrequencyResult = c.result;
        ASSERT_EQ(rig.Init(), DDInterface::RESULT_OK);
        EXPECT_EQ(rig.display->mRefreshRate, c.rate) << c.hertz;
        EXPECT_EQ(rig.display->mMillisecondsPerFrame, c.period) << c.hertz;
        EXPECT_EQ(rig.app.mRefreshRateUnreliable, c.unreliable) << c.hertz;
    }
}

TEST(DDInterfaceInitTest, PixelLayoutAndTables) {
    struct Case {
        PixelFormat format;
        int shifts[3];
        int bits[3];
    };
    for (const Case c :
         {Case{kFormat565, {11, 5, 0}, {5, 6, 5}}, Case{kFormat555, {10, 5, 0}, {5, 5, 5}},
          Case{kFormat888, {16, 8, 0}, {8, 8, 8}}}) {
        DisplayRig rig(c.format);
        ASSERT_EQ(rig.Init(), DDInterface::RESULT_OK);
        const DDInterface& d = *rig.display;
        EXPECT_EQ(d.mRGBBits, static_cast<int>(c.format.bitCount));
        EXPECT_EQ(d.mRedShift, c.shifts[0]);
        EXPECT_EQ(d.mGreenShift, c.shifts[1]);
        EXPECT_EQ(d.mBlueShift, c.shifts[2]);
        EXPECT_EQ(d.mRedBits, c.bits[0]);
        EXPECT_EQ(d.mGreenBits, c.bits[1]);
        EXPECT_EQ(d.mBlueBits, c.bits[2]);
        const uint32_t redMax = (1u << c.bits[0]) - 1;
        ASSERT_EQ(d.mRedAddTable.size(), 2 * redMax + 1);
        EXPECT_EQ(d.mRedAddTable[redMax - 1], redMax - 1);
        EXPECT_EQ(d.mRedAddTable.back(), redMax);
        // (mask * i / 255) & mask: 255 is the whole mask, 128 its upper half or so.
        EXPECT_EQ(d.mRedConvTable[255], c.format.redMask);
        EXPECT_EQ(d.mGreenConvTable[0], 0u);
        EXPECT_EQ(d.mBlueConvTable[128], (c.format.blueMask * 128 / 255) & c.format.blueMask);
    }
    // 5-6-5: the red table has 63 entries, the last 32 equal to 31.
    DisplayRig rig(kFormat565);
    ASSERT_EQ(rig.Init(), DDInterface::RESULT_OK);
    EXPECT_EQ(std::count(rig.display->mRedAddTable.begin(), rig.display->mRedAddTable.end(), 31u),
              32);
}

TEST(DDInterfaceInitTest, ASecondInitReleasesTheFirstAndTheScreenIsAdopted) {
    DisplayRig rig(kFormat888);
    ASSERT_EQ(rig.Init(), DDInterface::RESULT_OK);
    std::weak_ptr<Surface> firstPrimary = rig.display->mPrimarySurface;
    std::weak_ptr<DirectDraw> firstDevice = rig.display->mDirectDraw;
    DDImage* screen = rig.display->GetScreenImage();
    ASSERT_NE(screen, nullptr);
    EXPECT_TRUE(screen->mAdopted);
    EXPECT_EQ(screen->mWidth, 64);
    EXPECT_EQ(rig.display->mDDImageSet.size(), 3u) << "screen and both cursor areas";
    ASSERT_EQ(rig.Init(), DDInterface::RESULT_OK);
    EXPECT_TRUE(firstPrimary.expired());
    EXPECT_TRUE(firstDevice.expired());
    EXPECT_EQ(rig.display->mDDImageSet.size(), 3u);
    EXPECT_EQ(rig.device.mCreated, 2);
}

// The screen image is drawn on its surface; Redraw shows it in the window, converted from the
// screen's 16 bits when shown. Full screen flips, unless a system box is up or the page-flip
// setting is off: then it blits, and a failure names that step.
TEST(DDInterfaceInitTest, FullScreenIs565AndFlipsOrBlitsToTheWindow) {
    struct Case {
        bool pageFlip;
        bool popupShown;
        const char* failure;
    };
    const Case cases[] = {
        {true, false, "Redraw FullScreen Flip: 887601c2"},
        {true, true, "Redraw FullScreen Blt: 887601c2"},
        {false, false, "Redraw FullScreen Blt: 887601c2"},
        {false, true, "Redraw FullScreen Blt: 887601c2"},
    };
    for (const Case& c : cases) {
        DisplayRig rig(kFormat888, 4, 2);
        rig.app.mColorDepth = 16;
        rig.app.mPageFlip = c.pageFlip;
        rig.app.mPopupShown = c.popupShown;
        ASSERT_EQ(rig.Init(false), DDInterface::RESULT_OK);
        DDImage* screen = rig.display->GetScreenImage();
        screen->FillRect(Rect(0, 0, 4, 2), Color(255, 0, 0), kDrawModeNormal);
        EXPECT_EQ(ReadSurface(rig.display->mDrawSurface.get()), std::vector<uint32_t>(8, 0xF800));
        ASSERT_TRUE(rig.display->Redraw(nullptr)) << c.failure;
        FakeWindow* window = rig.windows.LastWindow();
        EXPECT_EQ(window->mPresents, 1) << c.failure;
        EXPECT_EQ(window->mFirstPixel, 0xFFFF0000u) << "31 widened to 255";
        EXPECT_EQ(ReadSurface(rig.display->mPrimarySurface.get()),
                  std::vector<uint32_t>(8, 0xF800));
        // A lost primary (the window cannot show it) fails the presentation with its text.
        window->mPresentSucceeds = false;
        EXPECT_FALSE(rig.display->Redraw(nullptr));
        EXPECT_EQ(rig.display->mErrorString, c.failure);
    }
}

} // namespace
} // namespace Vuro::Test
