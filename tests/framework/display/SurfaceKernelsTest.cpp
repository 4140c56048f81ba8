// The kernels of the surface routines that choose them by layout (8-8-8, 5-6-5, 5-5-5) against
// their per-pixel forms, in both kernel forms: a picture drawn from a palettised copy (which the
// per-pixel routines draw) and from its 32-bit bits (which the kernels draw) onto the same screen
// gives the same words, the bits outside the channels included.

#include "framework/display/DDImage.h"

#include "framework/util/MersenneTwister.h"
#include "support/DisplayRig.h"
#include "support/KernelForms.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace Vuro::Test {
namespace {

constexpr int kWidth = 160;
constexpr int kHeight = 120;

// The surface's rows as they lie in memory, spare bits included.
std::vector<uint8_t> RawRows(DDInterface* display) {
    Platform::SurfaceDesc desc;
    Platform::Surface* surface = display->mDrawSurface.get();
    EXPECT_FALSE(Platform::DDFailed(surface->Lock(desc, Platform::kLockWait)));
    const size_t rowBytes = static_cast<size_t>(kWidth) * desc.pixelFormat.bitCount / 8;
    std::vector<uint8_t> bytes(rowBytes * kHeight);
    for (int y = 0; y < kHeight; ++y) {
        std::memcpy(&bytes[y * rowBytes],
                    static_cast<const uint8_t*>(desc.bits) + static_cast<size_t>(y) * desc.pitch,
                    rowBytes);
    }
    (void)surface->Unlock();
    return bytes;
}

void WriteRows(DDInterface* display, const std::vector<uint8_t>& bytes) {
    Platform::SurfaceDesc desc;
    Platform::Surface* surface = display->mDrawSurface.get();
    ASSERT_FALSE(Platform::DDFailed(surface->Lock(desc, Platform::kLockWait)));
    const size_t rowBytes = bytes.size() / kHeight;
    for (int y = 0; y < kHeight; ++y) {
        std::memcpy(static_cast<uint8_t*>(desc.bits) + static_cast<size_t>(y) * desc.pitch,
                    &bytes[y * rowBytes], rowBytes);
    }
    (void)surface->Unlock();
}

// A 48 x 40 sprite of 256 colours, one per alpha: runs of clear and opaque pixels along a
// diagonal band, every other alpha scattered between them.
std::vector<uint32_t> SpritePixels() {
    MersenneTwister random;
    random.SRand(7);
    uint32_t palette[256];
    for (uint32_t a = 0; a < 256; ++a) {
        palette[a] = (a << 24) | (random.Next() & 0xFFFFFF);
    }
    std::vector<uint32_t> pixels;
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 48; ++x) {
            const int band = (x + y) % 24;
            pixels.push_back(palette[band < 6 ? 0 : band < 14 ? 255 : (x * 37 + y * 11) % 256]);
        }
    }
    return pixels;
}

class SurfaceKernels : public KernelFormTest {};

// A screen of each layout filled with the same random bytes before each drawing.
struct RandomScreen {
    explicit RandomScreen(const Platform::PixelFormat& format) : rig(format, kWidth, kHeight) {
        EXPECT_EQ(rig.Init(), DDInterface::RESULT_OK);
        MersenneTwister random;
        random.SRand(11);
        bytes.resize(static_cast<size_t>(kWidth) * kHeight * format.bitCount / 8);
        for (uint8_t& byte : bytes) {
            byte = static_cast<uint8_t>(random.Next());
        }
    }
    // What draw leaves on the screen, from the palettised copy (k 0) and the bits (k 1).
    template <typename Draw> void ExpectSame(const char* what, Draw draw) {
        std::vector<uint8_t> drawn[2];
        for (int k = 0; k < 2; ++k) {
            WriteRows(rig.display, bytes);
            draw(rig.display->GetScreenImage(), k == 1);
            drawn[k] = RawRows(rig.display);
        }
        ASSERT_NE(drawn[0], bytes) << what << " draws";
        const size_t rowBytes = bytes.size() / kHeight;
        for (size_t i = 0; i < bytes.size(); ++i) {
            ASSERT_EQ(drawn[1][i], drawn[0][i])
                << FormatName(rig.device.mDesktopFormat) << " " << what << ": byte " << i % rowBytes
                << " of row " << i / rowBytes;
        }
    }
    DisplayRig rig;
    std::vector<uint8_t> bytes;
};

// One picture as 32-bit bits and as a palettised copy.
struct TwoForms {
    TwoForms(VuroAppBase& app, const std::vector<uint32_t>& pixels) : bits(&app), palettised(&app) {
        bits.SetBits(pixels.data(), 48, 40);
        palettised.SetBits(pixels.data(), 48, 40);
        EXPECT_TRUE(palettised.Palletize());
    }
    MemoryImage* Of(bool fromBits) { return fromBits ? &bits : &palettised; }
    MemoryImage bits;
    MemoryImage palettised;
};

TEST_P(SurfaceKernels, BlitsMatchTheRunWalk) {
    std::vector<uint32_t> keyed = SpritePixels();
    for (uint32_t& p : keyed) {
        p = (p >> 24) < 128 ? 0 : p | 0xFF000000u;
    }
    for (const Platform::PixelFormat& format : kFormats) {
        RandomScreen screen(format);
        TwoForms sprite(screen.rig.app, SpritePixels());
        TwoForms opaque(screen.rig.app, keyed);
        const Rect from(2, 1, 45, 38);
        for (const Color& color : {Color::White, Color(255, 128, 30), Color(90, 200, 255, 170)}) {
            for (const DrawMode mode : {kDrawModeNormal, kDrawModeAdditive}) {
                screen.ExpectSame("blit", [&](DDImage* image, bool fromBits) {
                    image->Blt(sprite.Of(fromBits), 37, 21, from, color, mode);
                    image->Blt(sprite.Of(fromBits), 101, 70, Rect(0, 0, 48, 40), color, mode);
                });
            }
        }
        screen.ExpectSame("copy", [&](DDImage* image, bool fromBits) {
            image->Blt(opaque.Of(fromBits), 37, 21, from, Color::White, kDrawModeNormal);
        });
    }
}

TEST_P(SurfaceKernels, RotatedBlitsMatchThePerPixelRoutine) {
    const std::vector<uint32_t> pixels = SpritePixels();
    const struct {
        DrawMode mode;
        Color color;
    } ways[] = {{kDrawModeNormal, Color::White},
                {kDrawModeAdditive, Color::White},
                {kDrawModeAdditive, Color(255, 128, 30, 200)}};
    const double angles[] = {0.0, 0.3, 1.1, 2.0, 3.3, 4.0, 5.9};
    for (const Platform::PixelFormat& format : kFormats) {
        RandomScreen screen(format);
        TwoForms sprite(screen.rig.app, pixels);
        for (const auto& way : ways) {
            for (const double angle : angles) {
                screen.ExpectSame("rotated", [&](DDImage* image, bool fromBits) {
                    image->BltRotated(sprite.Of(fromBits), 50.3f, 31.7f, Rect(2, 1, 45, 38),
                                      Rect(3, 2, 150, 110), way.color, way.mode, angle, 20.5f,
                                      17.0f);
                });
            }
        }
    }
}

VURO_INSTANTIATE_KERNEL_FORMS(SurfaceKernels);

} // namespace
} // namespace Vuro::Test
