#include "platform/MemoryDirectDraw.h"
#include "platform/MemorySurface.h"

#include "support/DisplayRig.h"

#include <gtest/gtest.h>

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

} // namespace
} // namespace Vuro::Test
