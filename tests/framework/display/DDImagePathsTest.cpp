// Every software path on surfaces in 5-6-5, 5-5-5 and 32 bits against values worked from the
// formulas by hand, and against the in-memory image where the two must agree.

#include "framework/display/DDImage.h"

#include "framework/graphics/Graphics.h"
#include "framework/util/Matrix.h"
#include "platform/MemorySurface.h"
#include "support/DisplayRig.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

namespace Vuro::Test {
namespace {

using namespace Platform;

// A display of the format whose screen is filled with `pixel`.
struct Screen {
    Screen(const PixelFormat& format, uint32_t pixel, int width = 16, int height = 8)
        : rig(format, width, height) {
        EXPECT_EQ(rig.Init(), DDInterface::RESULT_OK);
        FillSurface(rig.display->mDrawSurface.get(), pixel);
    }
    DDImage* Image() { return rig.display->GetScreenImage(); }
    std::vector<uint32_t> Pixels() { return ReadSurface(rig.display->mDrawSurface.get()); }
    uint32_t At(int x, int y) { return Pixels()[static_cast<size_t>(y) * rig.app.mWidth + x]; }
    DisplayRig rig;
};

TEST(DDImageFillTest, FillsAndLines) {
    struct Case {
        PixelFormat format;
        uint32_t white;       // opaque white fill
        uint32_t translucent; // (200, 100, 50, 128) over black
        uint32_t whiteLine;   // opaque white line
        uint32_t max;         // additive white: every channel at its maximum
        uint32_t other;       // a pixel kept by alpha-0 fills
    };
    for (const Case c : {Case{kFormat565, 0xFFFF, 0x6183, 0xF7DE, 0xFFFF, 0x1234},
                         Case{kFormat555, 0x7FFF, 0x30C3, 0x7BDE, 0x7FFF, 0x1234},
                         Case{kFormat888, 0xFEFEFE, 0x643219, 0xFEFEFE, 0xFFFFFF, 0x123456}}) {
        const char* name = FormatName(c.format);
        Screen s(c.format, 0);
        s.Image()->FillRect(Rect(0, 0, 2, 1), Color(255, 255, 255), kDrawModeNormal);
        EXPECT_EQ(s.At(1, 0), c.white) << name;
        s.Image()->FillRect(Rect(0, 1, 1, 1), Color(200, 100, 50, 128), kDrawModeNormal);
        EXPECT_EQ(s.At(0, 1), c.translucent) << name;
        s.Image()->FillRect(Rect(0, 2, 1, 1), Color(255, 255, 255, 255), kDrawModeAdditive);
        EXPECT_EQ(s.At(0, 2), c.max) << name;
        FillSurface(s.rig.display->mDrawSurface.get(), c.other);
        for (const DrawMode mode : {kDrawModeNormal, kDrawModeAdditive}) {
            s.Image()->FillRect(Rect(0, 0, 16, 8), Color(255, 0, 0, 0), mode);
            EXPECT_EQ(s.At(5, 5), c.other) << name << " alpha 0 keeps the pixel";
        }

        // (0, 0) to (10, 4): 11 pixels, one for each x; error -2, increments -12 and 8.
        FillSurface(s.rig.display->mDrawSurface.get(), 0);
        s.Image()->DrawLine(0, 0, 10, 4, Color(255, 255, 255), kDrawModeNormal);
        const int ys[11] = {0, 0, 1, 1, 2, 2, 2, 3, 3, 4, 4};
        const std::vector<uint32_t> pixels = s.Pixels();
        EXPECT_EQ(std::count(pixels.begin(), pixels.end(), c.whiteLine), 11) << name;
        for (int x = 0; x <= 10; ++x) {
            EXPECT_EQ(s.At(x, ys[x]), c.whiteLine) << name << " x " << x;
        }
        // A horizontal line is a fill: x 3, width 8.
        s.Image()->DrawLine(10.7, 5.2, 3.2, 5.2, Color(255, 255, 255), kDrawModeNormal);
        EXPECT_EQ(s.At(2, 5), 0u);
        EXPECT_EQ(s.At(3, 5), c.white);
        EXPECT_EQ(s.At(10, 5), c.white);
        EXPECT_EQ(s.At(11, 5), 0u);
        // A line reaching far outside stays inside the surface.
        FillSurface(s.rig.display->mDrawSurface.get(), 0);
        s.Image()->DrawLine(-50, 7, 200, 2, Color(255, 255, 255), kDrawModeAdditive);
        const std::vector<uint32_t> after = s.Pixels();
        EXPECT_EQ(std::count(after.begin(), after.end(), c.max), 16) << name;
    }
}

TEST(DDImageBltTest, NormalBlits) {
    struct Case {
        PixelFormat format;
        uint32_t dest;    // red 4 of 31, green 8 of 63 (or 31), blue 12 of 31; 888 0x204060
        uint32_t blended; // 0x80FF8000 over it
        uint32_t tinted;  // opaque white tinted (128, 255, 0)
        uint32_t red;     // opaque red
    };
    for (const Case c : {Case{kFormat565, 0x210C, 0x9286, 0x7FC0, 0xF800},
                         Case{kFormat555, 0x110C, 0x4986, 0x3FC0, 0x7C00},
                         Case{kFormat888, 0x204060, 0x906030, 0x7FFE00, 0xFF0000}}) {
        const char* name = FormatName(c.format);
        Screen s(c.format, c.dest, 300, 4);
        // N = 0x80804000 (premultiplied by 129 / 256): N's colour + each channel d * 128 >> 8.
        auto half = MakeImage(s.rig.display, 1, 1, {0x80FF8000});
        Graphics(s.Image()).DrawImage(half.get(), 0, 0);
        EXPECT_EQ(s.At(0, 0), c.blended) << name;
        auto white = MakeImage(s.rig.display, 1, 1, {0xFFFFFFFF});
        s.Image()->Blt(white.get(), 1, 0, Rect(0, 0, 1, 1), Color(128, 255, 0), kDrawModeNormal);
        EXPECT_EQ(s.At(1, 0), c.tinted) << name;

        // 300 opaque pixels in a row: runs of 255 and 45, all copied, from an image in memory.
        MemoryImage row(&s.rig.app);
        std::vector<uint32_t> reds(300, 0xFFFF0000);
        row.SetBits(reds.data(), 300, 1);
        Graphics(s.Image()).DrawImage(&row, 0, 1);
        const std::vector<uint32_t> pixels = s.Pixels();
        EXPECT_EQ(std::count(pixels.begin() + 300, pixels.begin() + 600, c.red), 300) << name;

        // Mirrored: the source's left column lands in the rightmost destination column.
        auto pair = MakeImage(s.rig.display, 2, 1, {0xFFFF0000, 0xFF000000});
        s.Image()->BltMirror(pair.get(), 0, 2, Rect(0, 0, 2, 1), Color::White, kDrawModeNormal);
        EXPECT_EQ(s.At(1, 2), c.red) << name;
        EXPECT_EQ(s.At(0, 2), 0u) << name;
    }
}

// The 32-bit routines work on eight pixels at a time and copy opaque runs whole: every alpha
// over every channel value, against the per-channel formulas (translucent white blits
// N + d * (256 - a) >> 8, fills ((c * a + 127) >> 8) + 1 narrowed plus the same, additive
// blits), and a rotated sample with nothing under it keeps the pixel in both modes.
TEST(DDImageBltTest, ThirtyTwoBitBlendsMatchTheFormulaForEveryAlpha) {
    Screen s(kFormat888, 0, 256, 256);
    // Row a: alpha a; column d: destination channels (d, 255 - d, d ^ 0x5A), sources unlike them.
    std::vector<uint32_t> dest(256 * 256);
    std::vector<uint32_t> sprite(256 * 256);
    for (uint32_t a = 0; a < 256; ++a) {
        for (uint32_t d = 0; d < 256; ++d) {
            dest[a * 256 + d] = 0xFF000000 | d << 16 | (255 - d) << 8 | (d ^ 0x5A);
            sprite[a * 256 + d] = a << 24 | (d ^ 0xA5) << 16 | ((d * 7) & 255) << 8 | (255 - d);
        }
    }
    MemoryImage backdrop(&s.rig.app);
    backdrop.SetBits(dest.data(), 256, 256);
    auto image = MakeImage(s.rig.display, 256, 256, sprite);
    const uint32_t* native = image->GetNativeAlphaData(s.rig.display);
    auto channel = [](uint32_t p, int k) { return (p >> (16 - 8 * k)) & 255; };
    // Whole words, the spare top byte too (the routines leave there what the formulas do), or
    // only the bits of `used`.
    auto expectEvery = [&](const char* what, auto expected, uint32_t used = 0xFFFFFFFF) {
        Platform::SurfaceDesc desc;
        Platform::Surface* surface = s.rig.display->mDrawSurface.get();
        ASSERT_FALSE(Platform::DDFailed(surface->Lock(desc, Platform::kLockWait)));
        std::vector<uint32_t> drawn(256 * 256);
        for (int y = 0; y < 256; ++y) {
            std::memcpy(&drawn[y * 256], static_cast<uint8_t*>(desc.bits) + y * desc.pitch, 1024);
        }
        (void)surface->Unlock();
        int wrong = 0;
        for (size_t i = 0; i < drawn.size() && wrong < 5; ++i) {
            drawn[i] &= used;
            const uint32_t want = expected(static_cast<uint32_t>(i / 256), i) & used;
            wrong += drawn[i] != want;
            EXPECT_EQ(drawn[i], want) << what << " alpha " << i / 256 << " column " << i % 256;
        }
    };
    auto blended = [&](uint32_t a, uint32_t source, size_t i) {
        uint32_t out = 0;
        for (int k = 0; k < 3; ++k) {
            out |= (channel(source, k) + (channel(dest[i], k) * (256 - a) >> 8)) << (16 - 8 * k);
        }
        return out;
    };

    Graphics(s.Image()).DrawImage(&backdrop, 0, 0);
    expectEvery("opaque copy", [&](uint32_t, size_t i) { return dest[i]; });
    Graphics(s.Image()).DrawImage(image.get(), 0, 0);
    expectEvery("white blit", [&](uint32_t a, size_t i) {
        return a == 0     ? dest[i]
               : a == 255 ? native[i]
                          : (native[i] & 0xFF000000) | blended(a, native[i], i);
    });

    Graphics(s.Image()).DrawImage(&backdrop, 0, 0);
    for (int a = 0; a < 256; ++a) {
        s.Image()->FillRect(Rect(0, a, 256, 1), Color(200, 100, 50, a), kDrawModeNormal);
    }
    const uint32_t c[3] = {200, 100, 50};
    expectEvery("fill", [&](uint32_t a, size_t i) {
        uint32_t source = 0; // opaque: c * 255 >> 8
        for (int k = 0; k < 3; ++k) {
            const uint32_t v = a == 255 ? c[k] : ((c[k] * a + 127) >> 8) + 1;
            source |= (v * 255 >> 8) << (16 - 8 * k);
        }
        if (a == 255) {
            return source;
        }
        return blended(a, source, i); // alpha 0 too: the spare byte cleared
    });

    // Additive, untinted and tinted: each channel min(d + (p * t >> 8), 255), t = c * a / 255.
    const uint32_t tint[3] = {255 * 200 / 255, 128 * 200 / 255, 0};
    for (const bool tinted : {false, true}) {
        Graphics(s.Image()).DrawImage(&backdrop, 0, 0);
        s.Image()->Blt(image.get(), 0, 0, Rect(0, 0, 256, 256),
                       tinted ? Color(255, 128, 0, 200) : Color::White, kDrawModeAdditive);
        expectEvery("additive", [&](uint32_t, size_t i) {
            if ((native[i] & 0xFFFFFF) == 0) {
                return dest[i]; // nothing to add: untouched
            }
            uint32_t out = 0;
            for (int k = 0; k < 3; ++k) {
                const uint32_t p = channel(native[i], k);
                const uint32_t sum = channel(dest[i], k) + (tinted ? p * tint[k] >> 8 : p);
                out |= std::min(sum, 255u) << (16 - 8 * k);
            }
            return out;
        });
    }

    Graphics(s.Image()).DrawImage(&backdrop, 0, 0);
    auto clear = MakeImage(s.rig.display, 8, 8, std::vector<uint32_t>(64, 0x00FFFFFF));
    for (const DrawMode mode : {kDrawModeNormal, kDrawModeAdditive}) {
        s.Image()->BltRotated(clear.get(), 100, 100, Rect(0, 0, 8, 8), Rect(0, 0, 256, 256),
                              Color(255, 128, 0, 200), mode, 0.7, 4, 4);
    }
    // The channels: the spare byte is cleared where the sprite's box reaches.
    expectEvery(
        "rotated clear", [&](uint32_t, size_t i) { return dest[i]; }, 0xFFFFFF);
}

TEST(DDImageBltTest, KeyedImagesAreOneDeviceBlitFromSystemMemory) {
    for (const PixelFormat& format : {kFormat565, kFormat888}) {
        Screen s(format, 0);
        auto sprite = MakeImage(s.rig.display, 2, 1, {0x00000000, 0xFF00FF00});
        ASSERT_NE(sprite->GetSurface(), nullptr);
        const uint32_t green = format.greenMask;
        // The device blit is the only path: with it failing nothing is drawn.
        FakeDirectDraw::Fail("Blt", kDDErrGeneric);
        Graphics(s.Image()).DrawImage(sprite.get(), 0, 0);
        EXPECT_EQ(s.At(1, 0), 0u);
        Graphics(s.Image()).DrawImage(sprite.get(), 0, 0);
        EXPECT_EQ(s.At(1, 0), green);
        // From video memory onto the system-memory screen: native words copied, the
        // transparent one skipped; no device blit.
        sprite->SetVideoMemory(true);
        ASSERT_NE(sprite->GetSurface(), nullptr);
        FillSurface(s.rig.display->mDrawSurface.get(), format.blueMask);
        FakeDirectDraw::Fail("Blt", kDDErrGeneric, 0, 100);
        Graphics(s.Image()).DrawImage(sprite.get(), 0, 0);
        EXPECT_EQ(s.At(0, 0), format.blueMask);
        EXPECT_EQ(s.At(1, 0), green);
        ClearDirectDrawFailures();
    }
}

TEST(DDImageBltTest, AdditiveBlits) {
    for (const PixelFormat& format : kFormats) {
        const uint32_t grey = ConvertPixel(0x808080, kFormat888, format);
        const uint32_t max = format.redMask | format.greenMask | format.blueMask;
        Screen s(format, grey);
        auto black = MakeImage(s.rig.display, 2, 1, {0xFF000000, 0xFF000000});
        Graphics g(s.Image());
        g.SetDrawMode(kDrawModeAdditive);
        g.DrawImage(black.get(), 0, 0);
        EXPECT_EQ(s.At(0, 0), grey) << "black adds nothing";
        auto lighter = MakeImage(s.rig.display, 1, 1, {0xFF808080});
        g.DrawImage(lighter.get(), 0, 0);
        EXPECT_EQ(s.At(0, 0), max) << "128 + 128 saturates";
        // Tinted by (0, 0, 255): only blue adds, (N >> s) * 255 >> 8 + d.
        s.Image()->Blt(lighter.get(), 1, 0, Rect(0, 0, 1, 1), Color(0, 0, 255), kDrawModeAdditive);
        EXPECT_EQ(s.At(1, 0), grey | format.blueMask);
        s.Image()->BltMirror(lighter.get(), 2, 0, Rect(0, 0, 1, 1), Color::White,
                             kDrawModeAdditive);
        EXPECT_EQ(s.At(2, 0), max);
    }
}

TEST(DDImageTransformTest, StretchesAndRotation) {
    struct Case {
        PixelFormat format;
        uint32_t white253; // opaque white sampled at weight 254 of 256
    };
    for (const Case c :
         {Case{kFormat565, 0xFFFF}, Case{kFormat555, 0x7FFF}, Case{kFormat888, 0xFDFDFD}}) {
        const char* name = FormatName(c.format);
        const uint32_t red = c.format.redMask;
        const uint32_t green = c.format.greenMask;
        const uint32_t blue = c.format.blueMask;
        // A fast stretch of 2 x 2 onto 4 x 4 repeats each pixel in a 2 x 2 block, through the
        // device from a surface image and through the native words from a memory image.
        const std::vector<uint32_t> quad = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF};
        for (int source = 0; source < 2; ++source) {
            Screen s(c.format, 0);
            auto image = MakeImage(s.rig.display, 2, 2, quad);
            MemoryImage memory(&s.rig.app);
            memory.SetBits(quad.data(), 2, 2);
            Image* from = source == 0 ? static_cast<Image*>(image.get()) : &memory;
            s.Image()->StretchBlt(from, Rect(0, 0, 4, 4), Rect(0, 0, 2, 2), Rect(0, 0, 16, 8),
                                  Color::White, kDrawModeNormal, true);
            const uint32_t expected[4][4] = {{red, red, green, green},
                                             {red, red, green, green},
                                             {blue, blue, red | green | blue, red | green | blue},
                                             {blue, blue, red | green | blue, red | green | blue}};
            for (int y = 0; y < 4; ++y) {
                for (int x = 0; x < 4; ++x) {
                    EXPECT_EQ(s.At(x, y), expected[y][x]) << name << " " << x << "," << y;
                }
            }
            // Mirrored: the red left column ends in the rightmost columns; the source
            // rectangle reaching past the image draws only the part inside.
            s.Image()->StretchBltMirror(from, Rect(8, 0, 4, 4), Rect(0, 0, 2, 2), Rect(0, 0, 16, 8),
                                        Color::White, kDrawModeNormal, true);
            EXPECT_EQ(s.At(11, 0), red) << name;
            EXPECT_EQ(s.At(8, 0), green) << name;
            s.Image()->StretchBlt(from, Rect(12, 4, 4, 4), Rect(1, 1, 4, 4), Rect(0, 0, 16, 8),
                                  Color::White, kDrawModeNormal, true);
            EXPECT_EQ(s.At(12, 4), red | green | blue);
            EXPECT_EQ(s.At(15, 7), 0u) << "outside the source: nothing";
        }

        // Rotation by 0 at whole positions: corner weight 65534 * 255 >> 16 = 254, 255 * 254 >>
        // 8 = 253. The first column and row are drawn; the last column and row (whose
        // neighbourhood leaves the source) are not.
        Screen s(c.format, 0);
        auto white = MakeImage(s.rig.display, 4, 4, std::vector<uint32_t>(16, 0xFFFFFFFF));
        s.Image()->BltRotated(white.get(), 2, 1, Rect(0, 0, 4, 4), Rect(0, 0, 16, 8), Color::White,
                              kDrawModeNormal, 0.0, 0, 0);
        EXPECT_EQ(s.At(2, 1), c.white253) << name << " first column";
        EXPECT_EQ(s.At(4, 3), c.white253) << name;
        EXPECT_EQ(s.At(5, 1), 0u) << name << " last column";
        EXPECT_EQ(s.At(2, 4), 0u) << name << " last row";
        EXPECT_EQ(s.At(1, 1), 0u) << name;
    }
}

// Where the formulas are the same, the surface and the in-memory image draw the same pixels: 32
// bits, opaque and keyed copies, untinted additive blits of opaque images. (A nearest stretch
// in memory composites even opaque samples, s * 255 >> 8, so it does not copy.)
TEST(DDImageTransformTest, ThirtyTwoBitSurfacesAgreeWithTheMemoryImage) {
    Screen s(kFormat888, 0, 16, 8);
    MemoryImage memory(&s.rig.app);
    const std::vector<uint32_t> backdrop(16 * 8, 0xFF305070);
    memory.SetBits(backdrop.data(), 16, 8);
    memory.SetTransAlphaFlags(false, false);
    FillSurface(s.rig.display->mDrawSurface.get(), 0x305070);
    const std::vector<uint32_t> sprite = {0x00000000, 0xFFC08040, 0xFF102030,
                                          0x00000000, 0xFF808080, 0xFFFFFFFF};
    auto image = MakeImage(s.rig.display, 3, 2, sprite);
    for (Image* target : {static_cast<Image*>(s.Image()), static_cast<Image*>(&memory)}) {
        Graphics g(target);
        g.DrawImage(image.get(), 1, 1);
        g.SetDrawMode(kDrawModeAdditive);
        g.DrawImageSrc(image.get(), 6, 1, Rect(1, 0, 2, 1));
        g.DrawImage(image.get(), 10, 4);
    }
    const uint32_t* expected = memory.GetBits();
    const uint32_t* drawn = s.Image()->GetBits();
    for (int i = 0; i < 16 * 8; ++i) {
        EXPECT_EQ(drawn[i] & 0xFFFFFF, expected[i] & 0xFFFFFF) << i % 16 << "," << i / 16;
    }
}

// The matrix path draws into 16-bit surfaces through the layout (each channel of the 32-bit
// result narrowed) and leaves no stale bits behind.
TEST(DDImageTransformTest, MatrixBlitsConvertIntoSixteenBits) {
    Screen wide(kFormat888, 0x204060);
    Screen narrow(kFormat565, ConvertPixel(0x204060, kFormat888, kFormat565));
    auto wideSprite = MakeImage(wide.rig.display, 4, 4, std::vector<uint32_t>(16, 0xFFE0C0A0));
    auto narrowSprite = MakeImage(narrow.rig.display, 4, 4, std::vector<uint32_t>(16, 0xFFE0C0A0));
    Transform2D turn;
    turn.RotateRad(0.5f);
    wide.Image()->BltMatrix(wideSprite.get(), 8, 4, turn, Rect(0, 0, 16, 8), Color::White,
                            kDrawModeNormal, Rect(0, 0, 4, 4), true);
    narrow.Image()->BltMatrix(narrowSprite.get(), 8, 4, turn, Rect(0, 0, 16, 8), Color::White,
                              kDrawModeNormal, Rect(0, 0, 4, 4), true);
    EXPECT_EQ(narrow.Image()->mBits, nullptr);
    const std::vector<uint32_t> widePixels = wide.Pixels();
    const std::vector<uint32_t> narrowPixels = narrow.Pixels();
    int changed = 0;
    for (size_t i = 0; i < widePixels.size(); ++i) {
        EXPECT_EQ(narrowPixels[i], ConvertPixel(widePixels[i], kFormat888, kFormat565)) << i;
        changed += widePixels[i] != 0x204060;
    }
    EXPECT_GT(changed, 10);
}

} // namespace
} // namespace Vuro::Test
