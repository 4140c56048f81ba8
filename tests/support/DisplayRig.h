#pragma once
// A display on the fake device and fake windows, in a window on a desktop of the
// chosen format (16-bit 5-6-5 or 5-5-5, or 32-bit), with helpers that read and write surface
// pixels directly.

#include "framework/app/VuroAppBase.h"
#include "framework/display/DDImage.h"
#include "framework/display/DDInterface.h"
#include "support/FakeDirectDraw.h"
#include "support/FakeWindowSystem.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace Vuro::Test {

inline constexpr Platform::PixelFormat kFormats[] = {Platform::kFormat565, Platform::kFormat555,
                                                     Platform::kFormat888};

struct DisplayRig {
    explicit DisplayRig(const Platform::PixelFormat& desktop, int width = 64, int height = 48) {
        device.mDesktopFormat = desktop;
        app.mWidth = width;
        app.mHeight = height;
        Platform::WindowParams params;
        params.width = width;
        params.height = height;
        window = windows.CreateWindow(params);
        display = new DDInterface(&app);
        app.mDDInterface = display;
    }
    ~DisplayRig() {
        delete display;
        app.mDDInterface = nullptr;
    }
    DisplayRig(const DisplayRig&) = delete;
    DisplayRig& operator=(const DisplayRig&) = delete;

    int Init(bool windowed = true) { return display->Init(window.get(), windowed); }

    FakeDirectDraw device;
    FakeWindowSystem windows;
    VuroAppBase app;
    std::unique_ptr<Platform::Window> window;
    DDInterface* display = nullptr;
};

// Pixels of a surface, row by row, without the bits outside the channels (the spare bit of a
// 5-5-5 pixel, the top byte of a 32-bit one).
inline std::vector<uint32_t> ReadSurface(Platform::Surface* surface) {
    Platform::SurfaceDesc desc;
    std::vector<uint32_t> out;
    if (surface == nullptr || Platform::DDFailed(surface->Lock(desc, Platform::kLockWait))) {
        return out;
    }
    const uint32_t used =
        desc.pixelFormat.redMask | desc.pixelFormat.greenMask | desc.pixelFormat.blueMask;
    for (int y = 0; y < desc.height; ++y) {
        const auto* row =
            static_cast<const uint8_t*>(desc.bits) + static_cast<size_t>(y) * desc.pitch;
        for (int x = 0; x < desc.width; ++x) {
            out.push_back(used & (desc.pixelFormat.bitCount == 16
                                      ? reinterpret_cast<const uint16_t*>(row)[x]
                                      : reinterpret_cast<const uint32_t*>(row)[x]));
        }
    }
    (void)surface->Unlock();
    return out;
}

inline void FillSurface(Platform::Surface* surface, uint32_t pixel) {
    ASSERT_FALSE(Platform::DDFailed(surface->ColorFill(nullptr, pixel)));
}

// An image of the given 0xAARRGGBB pixels on the display.
inline std::unique_ptr<DDImage> MakeImage(DDInterface* display, int width, int height,
                                          const std::vector<uint32_t>& pixels) {
    auto image = std::make_unique<DDImage>(display);
    image->SetBits(pixels.data(), width, height);
    return image;
}

inline const char* FormatName(const Platform::PixelFormat& format) {
    return format == Platform::kFormat565 ? "565" : format == Platform::kFormat555 ? "555" : "888";
}

} // namespace Vuro::Test
