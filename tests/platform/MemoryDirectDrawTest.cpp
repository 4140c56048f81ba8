#include "platform/MemoryDirectDraw.h"
#include "platform/MemorySurface.h"

#include "support/DisplayRig.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace Vuro::Test {
namespace {

using namespace Platform;

std::shared_ptr<Surface> Make(DirectDraw& device, int width, int height, const PixelFormat& format,
                              uint32_t caps = kCapsSystemMemory) {
    SurfaceDesc desc;
    desc.flags = kDescCaps | kDescWidth | kDescHeight | kDescPixelFormat;
    desc.width = width;
    desc.height = height;
    desc.caps = caps;
    desc.pixelFormat = format;
    std::shared_ptr<Surface> surface;
    EXPECT_EQ(device.CreateSurface(desc, surface), kDDOk);
    return surface;
}

TEST(MemoryDirectDrawTest, BlitsKeyStretchConvertAndRefuse) {
    FakeDirectDraw system;
    std::shared_ptr<DirectDraw> device;
    ASSERT_EQ(system.Create(device), kDDOk);
    auto src = Make(*device, 2, 1, kFormat888);
    auto dest = Make(*device, 4, 2, kFormat565);
    SurfaceRect one{0, 0, 1, 1};
    ASSERT_EQ(src->ColorFill(nullptr, 0x00FF00), kDDOk);
    ASSERT_EQ(src->ColorFill(&one, 0xFF0000), kDDOk);
    ASSERT_EQ(dest->ColorFill(nullptr, 0x001F), kDDOk);
    // Stretched 2 x 1 -> 4 x 2 by the nearest pixel, converted to 5-6-5, red keyed out.
    const ColorKey red{0xFF0000, 0xFF0000};
    ASSERT_EQ(src->SetColorKey(kColorKeySrcBlt, &red), kDDOk);
    ASSERT_EQ(dest->Blt(nullptr, src.get(), nullptr, kBltWait | kBltKeySrc), kDDOk);
    EXPECT_EQ(ReadSurface(dest.get()),
              (std::vector<uint32_t>{0x1F, 0x1F, 0x7E0, 0x7E0, 0x1F, 0x1F, 0x7E0, 0x7E0}));
    ASSERT_EQ(dest->Blt(nullptr, src.get(), nullptr, kBltWait), kDDOk);
    EXPECT_EQ(ReadSurface(dest.get())[0], 0xF800u) << "unkeyed";
    // Rectangles outside either surface, and locked surfaces, are refused.
    const SurfaceRect outside{3, 0, 5, 1};
    EXPECT_EQ(dest->Blt(&outside, src.get(), nullptr, 0), kDDErrInvalidRect);
    EXPECT_EQ(dest->Blt(nullptr, src.get(), &outside, 0), kDDErrInvalidRect);
    SurfaceDesc locked;
    ASSERT_EQ(src->Lock(locked, kLockWait), kDDOk);
    EXPECT_EQ(locked.pitch, 8);
    EXPECT_EQ(dest->Blt(nullptr, src.get(), nullptr, 0), kDDErrSurfaceBusy);
    EXPECT_EQ(src->Lock(locked, kLockWait), kDDErrSurfaceBusy);
    TextTarget target;
    EXPECT_EQ(src->GetDC(target), kDDErrCantCreateDC);
    ASSERT_EQ(src->Unlock(), kDDOk);
    EXPECT_EQ(src->Unlock(), kDDErrNotLocked);
    ASSERT_EQ(dest->GetDC(target), kDDOk);
    EXPECT_NE(target.pixels16, nullptr);
    EXPECT_EQ(target.pitch, 4) << "8 bytes a row of 4 pixels";
    EXPECT_EQ(target.redMask, 0xF800u);
    ASSERT_EQ(dest->ReleaseDC(), kDDOk);
    // Injected failures by name, after skipped calls.
    FakeDirectDraw::Fail("Blt", kDDErrGeneric, 1);
    EXPECT_EQ(dest->Blt(nullptr, src.get(), nullptr, 0), kDDOk);
    EXPECT_EQ(dest->Blt(nullptr, src.get(), nullptr, 0), kDDErrGeneric);
    EXPECT_EQ(dest->Blt(nullptr, src.get(), nullptr, 0), kDDOk);
    // Formats of other depths are refused.
    SurfaceDesc desc;
    desc.flags = kDescWidth | kDescHeight | kDescPixelFormat;
    desc.width = desc.height = 1;
    desc.pixelFormat = PixelFormat{8, 0, 0, 0};
    std::shared_ptr<Surface> refused;
    EXPECT_EQ(device->CreateSurface(desc, refused), kDDErrInvalidPixelFormat);
}

TEST(MemoryDirectDrawTest, ModesFlipsPalettesAndVideoMemory) {
    FakeDirectDraw system;
    system.mVideoMemory = 1000;
    FakeWindowSystem windows;
    Platform::WindowParams params;
    params.width = 2;
    params.height = 1;
    auto window = windows.CreateWindow(params);
    std::shared_ptr<DirectDraw> device;
    ASSERT_EQ(system.Create(device), kDDOk);
    EXPECT_EQ(device->SetDisplayMode(2, 1, 16), kDDErrNoExclusiveMode);
    ASSERT_EQ(device->SetCooperativeLevel(window.get(), kDDCoopExclusive | kDDCoopFullScreen),
              kDDOk);
    EXPECT_EQ(device->SetDisplayMode(2, 1, 24), kDDErrInvalidMode);
    ASSERT_EQ(device->SetDisplayMode(2, 1, 16), kDDOk);
    SurfaceDesc primaryDesc;
    primaryDesc.flags = kDescCaps | kDescBackBufferCount;
    primaryDesc.caps = kCapsPrimarySurface | kCapsFlip | kCapsComplex;
    primaryDesc.backBufferCount = 1;
    std::shared_ptr<Surface> primary;
    ASSERT_EQ(device->CreateSurface(primaryDesc, primary), kDDOk);
    std::shared_ptr<Surface> back;
    ASSERT_EQ(primary->GetAttachedSurface(kCapsBackBuffer, back), kDDOk);
    ASSERT_EQ(back->ColorFill(nullptr, 0xF800), kDDOk);
    ASSERT_EQ(primary->Flip(kFlipWait), kDDOk);
    EXPECT_EQ(ReadSurface(primary.get()), (std::vector<uint32_t>{0xF800, 0xF800}));
    EXPECT_EQ(windows.LastWindow()->mFirstPixel, 0xFFFF0000u) << "shown, widened";
    EXPECT_EQ(ReadSurface(back.get()), (std::vector<uint32_t>{0, 0}));

    const uint32_t entries[2] = {0x112233, 0x445566};
    std::shared_ptr<Palette> palette;
    ASSERT_EQ(device->CreatePalette(nullptr, palette), kDDOk);
    ASSERT_EQ(palette->SetEntries(254, 2, entries), kDDOk);
    EXPECT_EQ(palette->SetEntries(255, 2, entries), kDDErrInvalidParams);
    uint32_t read[2] = {};
    ASSERT_EQ(palette->GetEntries(254, 2, read), kDDOk);
    EXPECT_EQ(read[1], 0x445566u);
    EXPECT_EQ(back->SetPalette(palette), kDDOk);

    uint32_t total = 0;
    uint32_t free = 0;
    auto video = Make(*device, 10, 10, kFormat565, kCapsVideoMemory); // 200 bytes
    ASSERT_EQ(device->GetAvailableVidMem(kCapsVideoMemory, total, free), kDDOk);
    EXPECT_EQ(total, 1000u);
    EXPECT_EQ(free, 800u);
    SurfaceDesc big;
    big.flags = kDescCaps | kDescWidth | kDescHeight;
    big.width = big.height = 30;
    big.caps = kCapsVideoMemory;
    std::shared_ptr<Surface> tooBig;
    EXPECT_EQ(device->CreateSurface(big, tooBig), kDDErrOutOfMemory);
    video.reset();
    ASSERT_EQ(device->GetAvailableVidMem(kCapsVideoMemory, total, free), kDDOk);
    EXPECT_EQ(free, 1000u);
}

// A windowed primary of 4 x 3 pixels on a device of its own, in a window that keeps the
// pictures presented or not, and a draw surface of its size and format.
struct WindowedPrimary {
    explicit WindowedPrimary(bool keeps) {
        Platform::WindowParams params;
        params.width = 4;
        params.height = 3;
        window = windows.CreateWindow(params);
        Window()->mKeepsPictures = keeps;
        EXPECT_EQ(system.Create(device), kDDOk);
        EXPECT_EQ(device->SetCooperativeLevel(window.get(), kDDCoopNormal), kDDOk);
        SurfaceDesc desc;
        desc.flags = kDescCaps;
        desc.caps = kCapsPrimarySurface;
        EXPECT_EQ(device->CreateSurface(desc, primary), kDDOk);
        draw = Make(*device, 4, 3, kFormat888);
        area = Make(*device, 2, 2, kFormat888);
    }
    FakeWindow* Window() { return static_cast<FakeWindow*>(window.get()); }
    // The draw surface's rows, as a lock gives them.
    const void* DrawRows() {
        SurfaceDesc desc;
        EXPECT_EQ(draw->Lock(desc, kLockWait), kDDOk);
        EXPECT_EQ(draw->Unlock(), kDDOk);
        return desc.bits;
    }

    FakeDirectDraw system;
    FakeWindowSystem windows;
    std::unique_ptr<Platform::Window> window;
    std::shared_ptr<DirectDraw> device;
    std::shared_ptr<Surface> primary;
    std::shared_ptr<Surface> draw;
    std::shared_ptr<Surface> area;
};

// A whole frame blitted onto the primary is presented from the draw surface's own rows. A
// window that keeps it holds the primary's picture until the primary is next used, which reads
// it back once; every operation then gives what it gives on a primary that copied the frame
// (a window that keeps nothing), the bits outside the channels included.
TEST(MemoryDirectDrawTest, AWholeFrameIsPresentedFromItsSourceAndLeftInAWindowThatKeepsIt) {
    WindowedPrimary keeping(true);
    WindowedPrimary copying(false);
    const SurfaceRect corner{1, 1, 3, 3};
    const SurfaceRect small{0, 0, 2, 2};
    // Each step draws a frame of two colours, presents it whole, draws on (so that the draw
    // surface no longer holds the frame) and uses the primary.
    const struct Step {
        const char* what;
        std::function<DDResult(WindowedPrimary&)> use;
    } steps[] = {
        {"locked", [](WindowedPrimary&) { return kDDOk; }},
        {"read by a blit",
         [&](WindowedPrimary& w) { return w.area->Blt(&small, w.primary.get(), &corner, 0); }},
        {"drawn on by a blit",
         [&](WindowedPrimary& w) { return w.primary->Blt(&corner, w.area.get(), &small, 0); }},
        {"filled", [&](WindowedPrimary& w) { return w.primary->ColorFill(&corner, 0x123456); }},
        {"given a context",
         [](WindowedPrimary& w) {
             TextTarget target;
             const DDResult result = w.primary->GetDC(target);
             return result == kDDOk ? w.primary->ReleaseDC() : result;
         }},
        {"blitted onto itself",
         [&](WindowedPrimary& w) { return w.primary->Blt(&small, w.primary.get(), &corner, 0); }},
    };
    uint32_t colour = 0xAB010203u; // the top byte is outside the channels
    for (const Step& step : steps) {
        for (WindowedPrimary* w : {&keeping, &copying}) {
            ASSERT_EQ(w->draw->ColorFill(nullptr, colour), kDDOk);
            ASSERT_EQ(w->draw->ColorFill(&small, colour + 0x101010), kDDOk);
            ASSERT_EQ(w->area->ColorFill(nullptr, colour ^ 0xFFFFFF), kDDOk);
            w->Window()->mPictureReads = 0;
            ASSERT_EQ(w->primary->Blt(nullptr, w->draw.get(), nullptr, kBltWait), kDDOk);
            EXPECT_EQ(w->Window()->mLastPixels, w->DrawRows()) << step.what;
            ASSERT_EQ(w->draw->ColorFill(&corner, 0), kDDOk);
            ASSERT_EQ(step.use(*w), kDDOk) << step.what;
        }
        const bool used = &step != &steps[0];
        EXPECT_EQ(keeping.Window()->mPictureReads, used ? 1 : 0) << step.what << ": read back";
        const std::vector<uint32_t> kept = ReadSurface(keeping.primary.get());
        EXPECT_EQ(keeping.Window()->mPictureReads, 1) << step.what << ": read back once";
        EXPECT_EQ(kept, ReadSurface(copying.primary.get())) << step.what;
        EXPECT_EQ(ReadSurface(keeping.area.get()), ReadSurface(copying.area.get())) << step.what;
        colour += 0x00030507;
    }
    // The frame itself, as the first step left it: the draw surface's whole and its corner.
    WindowedPrimary fresh(true);
    ASSERT_EQ(fresh.draw->ColorFill(nullptr, 0x00102030), kDDOk);
    ASSERT_EQ(fresh.draw->ColorFill(&small, 0x00405060), kDDOk);
    ASSERT_EQ(fresh.primary->Blt(nullptr, fresh.draw.get(), nullptr, kBltWait), kDDOk);
    ASSERT_EQ(fresh.draw->ColorFill(nullptr, 0), kDDOk);
    EXPECT_EQ(ReadSurface(fresh.primary.get()),
              (std::vector<uint32_t>{0x405060, 0x405060, 0x102030, 0x102030, 0x405060, 0x405060,
                                     0x102030, 0x102030, 0x102030, 0x102030, 0x102030, 0x102030}));
    // A keyed frame, or one the window could not show, is copied as before.
    const ColorKey key{0x102030, 0x102030};
    ASSERT_EQ(fresh.draw->ColorFill(nullptr, 0x00102030), kDDOk);
    ASSERT_EQ(fresh.draw->SetColorKey(kColorKeySrcBlt, &key), kDDOk);
    ASSERT_EQ(fresh.primary->Blt(nullptr, fresh.draw.get(), nullptr, kBltKeySrc), kDDOk);
    EXPECT_EQ(ReadSurface(fresh.primary.get())[0], 0x405060u) << "keyed out";
    fresh.Window()->mPresentSucceeds = false;
    EXPECT_EQ(fresh.primary->Blt(nullptr, fresh.draw.get(), nullptr, 0), kDDErrSurfaceLost);
    fresh.Window()->mPresentSucceeds = true;
    fresh.Window()->mKept.assign(fresh.Window()->mKept.size(), 0xEE);
    EXPECT_EQ(ReadSurface(fresh.primary.get()), std::vector<uint32_t>(12, 0x102030))
        << "copied, not read back from the window";
}

} // namespace
} // namespace Vuro::Test
