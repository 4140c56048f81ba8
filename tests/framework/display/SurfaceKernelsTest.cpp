// The kernels of the surface routines that choose them by layout (8-8-8, 5-6-5, 5-5-5) against
// their per-pixel forms, in both kernel forms, the bits outside the channels included: a picture
// blitted plainly (which the kernels draw) and its mirror image blitted mirrored (which the
// per-pixel run walk draws) leave the same words, from the picture's 32-bit bits and from a
// palettised copy (whose words the kernels take through the palette); the rotated blit's kernel
// against its per-pixel routine, which draws from the palettised copy.

#include "framework/display/DDImage.h"

#include "framework/util/MersenneTwister.h"
#include "support/DisplayRig.h"
#include "support/KernelForms.h"

#include <gtest/gtest.h>

#include <algorithm>
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

// A sprite (48 x 40 unless said) of 256 colours, one per alpha: runs of clear and opaque pixels
// along a diagonal band, every other alpha scattered between them.
std::vector<uint32_t> SpritePixels(int width = 48, int height = 40) {
    MersenneTwister random;
    random.SRand(7);
    uint32_t palette[256];
    for (uint32_t a = 0; a < 256; ++a) {
        palette[a] = (a << 24) | (random.Next() & 0xFFFFFF);
    }
    std::vector<uint32_t> pixels;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
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
    // What draw leaves on the screen through the per-pixel routines (k 0) and the kernels (k 1).
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
    TwoForms(VuroAppBase& app, const std::vector<uint32_t>& pixels, int width = 48, int height = 40)
        : bits(&app), palettised(&app) {
        bits.SetBits(pixels.data(), width, height);
        palettised.SetBits(pixels.data(), width, height);
        EXPECT_TRUE(palettised.Palletize());
    }
    MemoryImage* Of(bool fromBits) { return fromBits ? &bits : &palettised; }
    MemoryImage bits;
    MemoryImage palettised;
};

// The pixels with each row (of width pixels) reversed.
std::vector<uint32_t> Mirrored(std::vector<uint32_t> pixels, int width = 48) {
    for (auto row = pixels.begin(); row != pixels.end(); row += width) {
        std::reverse(row, row + width);
    }
    return pixels;
}

TEST_P(SurfaceKernels, BlitsMatchTheRunWalk) {
    std::vector<uint32_t> keyed = SpritePixels();
    for (uint32_t& p : keyed) {
        p = (p >> 24) < 128 ? 0 : p | 0xFF000000u;
    }
    // The source rectangle and, in the mirror image, the same columns.
    const Rect from(2, 1, 45, 38);
    const Rect mirroredFrom(48 - from.mX - from.mWidth, from.mY, from.mWidth, from.mHeight);
    for (const Platform::PixelFormat& format : kFormats) {
        RandomScreen screen(format);
        TwoForms sprite(screen.rig.app, SpritePixels());
        TwoForms spriteMirror(screen.rig.app, Mirrored(SpritePixels()));
        TwoForms opaque(screen.rig.app, keyed);
        TwoForms opaqueMirror(screen.rig.app, Mirrored(keyed));
        // Larger than a band of the palettised source's rows the kernels take at a time.
        TwoForms large(screen.rig.app, SpritePixels(120, 100), 120, 100);
        TwoForms largeMirror(screen.rig.app, Mirrored(SpritePixels(120, 100), 120), 120, 100);
        for (const bool fromBits : {true, false}) {
            const auto blit = [&](TwoForms& plain, TwoForms& mirror, const Color& color,
                                  DrawMode mode) {
                return [&, color, mode](DDImage* image, bool kernels) {
                    kernels
                        ? image->Blt(plain.Of(fromBits), 37, 21, from, color, mode)
                        : image->BltMirror(mirror.Of(fromBits), 37, 21, mirroredFrom, color, mode);
                    kernels
                        ? image->Blt(plain.Of(fromBits), 101, 70, Rect(0, 0, 48, 40), color, mode)
                        : image->BltMirror(mirror.Of(fromBits), 101, 70, Rect(0, 0, 48, 40), color,
                                           mode);
                };
            };
            for (const Color& color :
                 {Color::White, Color(255, 128, 30), Color(90, 200, 255, 170)}) {
                for (const DrawMode mode : {kDrawModeNormal, kDrawModeAdditive}) {
                    screen.ExpectSame("blit", blit(sprite, spriteMirror, color, mode));
                    screen.ExpectSame("large blit", [&](DDImage* image, bool kernels) {
                        kernels ? image->Blt(large.Of(fromBits), 21, 13, Rect(0, 0, 120, 100),
                                             color, mode)
                                : image->BltMirror(largeMirror.Of(fromBits), 21, 13,
                                                   Rect(0, 0, 120, 100), color, mode);
                    });
                }
            }
            screen.ExpectSame("copy", blit(opaque, opaqueMirror, Color::White, kDrawModeNormal));
        }
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
                screen.ExpectSame("rotated", [&](DDImage* image, bool kernels) {
                    image->BltRotated(sprite.Of(kernels), 50.3f, 31.7f, Rect(2, 1, 45, 38),
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
