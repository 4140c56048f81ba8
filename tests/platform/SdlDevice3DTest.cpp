// The 3-D device over a surface of each depth: a scene writes back only the pixels it drew and
// takes in what others changed meanwhile, its frames are those of a device that copies whole
// surfaces, and an opaque rectangle fills the pixels SDL's two triangles cover.

#include "platform/Direct3D.h"
#include "platform/MemorySurface.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

namespace Vuro::Platform {
namespace {

constexpr int kWidth = 48;
constexpr int kHeight = 32;
constexpr PixelFormat kFormats[] = {kFormat565, kFormat555, kFormat888};

struct Scene {
    explicit Scene(const PixelFormat& format)
        : surface(std::make_shared<MemorySurface>(kWidth, kHeight, format, kCapsSystemMemory,
                                                  nullptr)) {
        EXPECT_EQ(CreateDevice3D(surface.get(), device), kDDOk);
        (void)device->SetRenderState(RenderState::AlphaBlendEnable, 1);
    }
    // A rectangle as the display fills one: a strip from (x - 0.5, y - 0.5), or the same two
    // triangles as a list; additive adds the colour, opaque draws with source factor one.
    void Fill(float x, float y, float w, float h, uint32_t color, bool additive = false,
              bool opaque = false, bool asList = false) {
        (void)device->SetRenderState(RenderState::SrcBlend, opaque ? kBlendOne : kBlendSrcAlpha);
        (void)device->SetRenderState(RenderState::DestBlend, additive ? kBlendOne
                                                             : opaque ? kBlendZero
                                                                      : kBlendInvSrcAlpha);
        (void)device->SetTexture(0, nullptr);
        auto at = [color](float vx, float vy) {
            return TLVertex{vx - 0.5f, vy - 0.5f, 0, 1, color, 0, 0, 0};
        };
        const TLVertex strip[4] = {at(x, y), at(x, y + h), at(x + w, y), at(x + w, y + h)};
        const TLVertex list[6] = {strip[0], strip[1], strip[2], strip[1], strip[2], strip[3]};
        EXPECT_EQ(asList ? device->DrawPrimitive(Primitive::TriangleList, list, 6)
                         : device->DrawPrimitive(Primitive::TriangleStrip, strip, 4),
                  kDDOk);
    }
    std::vector<uint8_t> Pixels() {
        SurfaceDesc desc;
        EXPECT_EQ(surface->Lock(desc, kLockWait), kDDOk);
        const auto* bytes = static_cast<const uint8_t*>(desc.bits);
        std::vector<uint8_t> out(bytes, bytes + static_cast<size_t>(desc.pitch) * kHeight);
        (void)surface->Unlock();
        return out;
    }
    uint32_t At(int x, int y) {
        SurfaceDesc desc;
        (void)surface->GetSurfaceDesc(desc);
        const std::vector<uint8_t> pixels = Pixels();
        uint32_t value = 0;
        std::memcpy(&value, pixels.data() + y * desc.pitch + x * (desc.pixelFormat.bitCount / 8),
                    desc.pixelFormat.bitCount / 8);
        return value;
    }

    std::shared_ptr<MemorySurface> surface;
    std::shared_ptr<Device3D> device;
};

TEST(SdlDevice3DTest, AScenesEndWritesBackOnlyWhatItDrewAndTheNextTakesInTheRest) {
    for (const PixelFormat& format : kFormats) {
        Scene scene(format);
        const uint32_t red = ConvertPixel(0xFF0000, kFormat888, format);
        const uint32_t blue = ConvertPixel(0x0000FF, kFormat888, format);
        const uint32_t grey = ConvertPixel(0x808080, kFormat888, format);
        ASSERT_EQ(scene.surface->ColorFill(nullptr, grey), kDDOk);
        ASSERT_EQ(scene.device->BeginScene(), kDDOk);
        scene.Fill(2, 2, 4, 4, 0xFFFF0000);
        const SurfaceRect aside{20, 10, 44, 24};
        ASSERT_EQ(scene.surface->ColorFill(&aside, blue), kDDOk); // by someone else, meanwhile
        ASSERT_EQ(scene.device->EndScene(), kDDOk);
        EXPECT_EQ(scene.At(3, 3), red);
        EXPECT_EQ(scene.At(21, 11), blue) << "left as it was";
        EXPECT_EQ(scene.At(30, 28), grey);
        ASSERT_EQ(scene.device->BeginScene(), kDDOk);
        scene.Fill(18, 8, 8, 8, 0x80FFFFFF);
        ASSERT_EQ(scene.device->EndScene(), kDDOk);
        // Half white over the blue the scene took in.
        const uint32_t mixed = ConvertPixel(scene.At(21, 11), format, kFormat888);
        EXPECT_NEAR(static_cast<int>(mixed >> 16), 0x7B, 4) << std::hex << mixed;
        EXPECT_GE(mixed & 0xFF, 0xF0u) << std::hex << mixed;
        EXPECT_EQ(scene.At(3, 3), red);
    }
}

// Translucent and additive rectangles over several scenes, with fills and blits by others in
// between: taking in only the changed parts gives the frames that taking in everything gives,
// also where 16 bits keep less than the picture drew.
TEST(SdlDevice3DTest, FramesAreTheSameWhetherTheSurfaceIsTakenInWholeOrInPart) {
    for (const PixelFormat& format : kFormats) {
        Scene part(format);
        Scene whole(format);
        MemorySurface stamp(6, 5, format, kCapsSystemMemory, nullptr);
        ASSERT_EQ(stamp.ColorFill(nullptr, ConvertPixel(0x33CC66, kFormat888, format)), kDDOk);
        for (int frame = 0; frame < 6; ++frame) {
            for (Scene* scene : {&part, &whole}) {
                if (scene == &whole) {
                    SurfaceDesc desc;
                    ASSERT_EQ(whole.surface->Lock(desc, kLockWait), kDDOk); // all changed
                    ASSERT_EQ(whole.surface->Unlock(), kDDOk);
                }
                ASSERT_EQ(scene->device->BeginScene(), kDDOk);
                const float x = static_cast<float>(frame * 7 % 40) - 4;
                scene->Fill(x, 3, 12, 9, 0x60C08040 + static_cast<uint32_t>(frame) * 0x0B0D11);
                scene->Fill(40 - x, 12, 9, 14, 0x90206080, true);
                scene->Fill(x / 2, 20, 30, 4, 0x30FFFFFF);
                ASSERT_EQ(scene->device->EndScene(), kDDOk);
                const SurfaceRect spot{frame * 5, frame * 3, frame * 5 + 6, frame * 3 + 5};
                ASSERT_EQ(scene->surface->Blt(&spot, &stamp, nullptr, kBltWait), kDDOk);
                const SurfaceRect line{0, 30 - frame, kWidth, 31 - frame};
                ASSERT_EQ(scene->surface->ColorFill(&line, static_cast<uint32_t>(frame) * 0x1111),
                          kDDOk);
            }
            ASSERT_EQ(part.Pixels(), whole.Pixels()) << format.redMask << " frame " << frame;
        }
    }
}

TEST(SdlDevice3DTest, OpaqueRectanglesFillThePixelsTheTrianglesCover) {
    struct Case {
        float x, y, w, h;
    };
    const Case cases[] = {
        {3, 4, 10, 6}, {-5, -3, 12, 9}, {40, 25, 20, 20}, {0, 0, 48, 32}, {10, 10, 1, 1}};
    for (const PixelFormat& format : kFormats) {
        for (const bool opaque : {false, true}) {
            Scene fast(format);
            Scene triangles(format);
            for (Scene* scene : {&fast, &triangles}) {
                ASSERT_EQ(scene->device->BeginScene(), kDDOk);
                scene->Fill(0, 0, kWidth, kHeight, 0x80406080);
                for (const Case& c : cases) {
                    scene->Fill(c.x, c.y, c.w, c.h, opaque ? 0x20A0B0C0 : 0xFFA0B0C0, false, opaque,
                                scene == &triangles);
                }
                ASSERT_EQ(scene->device->EndScene(), kDDOk);
            }
            EXPECT_EQ(fast.Pixels(), triangles.Pixels()) << format.redMask << " " << opaque;
        }
    }
}

} // namespace
} // namespace Vuro::Platform
