// One scene drawn by the software path and by the 3-D path: the software picture is the
// reviewed golden; the 3-D picture differs from it by at most kTolerance (3) in any channel (SDL's
// software blending rounds down where the software path rounds to nearest).

#include "support/DisplayRig.h"
#include "support/GoldenImage.h"
#include "support/MemoryRegistry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

namespace Vuro {
namespace {

constexpr int kWidth = 160;
constexpr int kHeight = 120;
constexpr int kTolerance = 3;

// A sun: a disc with a soft edge (alpha falling from 255 to 0 over its last 4 pixels).
std::unique_ptr<MemoryImage> Sun(VuroAppBase* app) {
    std::vector<uint32_t> pixels;
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            const double d = std::hypot(x - 15.5, y - 15.5);
            const int alpha = std::clamp(static_cast<int>((15.5 - d) * 64), 0, 255);
            pixels.push_back(static_cast<uint32_t>(alpha) << 24 | 0xFFD040);
        }
    }
    auto image = std::make_unique<MemoryImage>(app);
    image->SetBits(pixels.data(), 32, 32);
    return image;
}

// A fence of 100 x 40: boards with holes (alpha 0) between them, in two shades; cut into
// 64 x 64 texture pieces.
std::unique_ptr<MemoryImage> Fence(VuroAppBase* app) {
    std::vector<uint32_t> pixels;
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 100; ++x) {
            const bool board = x % 10 < 7 && (y > 4 || x % 10 > 1);
            const uint32_t shade = (x % 10 < 2) ? 0x8B5A2B : 0xC08040;
            pixels.push_back(board ? 0xFF000000 | shade : 0);
        }
    }
    auto image = std::make_unique<MemoryImage>(app);
    image->SetBits(pixels.data(), 100, 40);
    image->mTextureFlags = 2;
    return image;
}

void DrawScene(DDImage* screen, VuroAppBase* app) {
    for (int band = 0; band < 12; ++band) {
        screen->FillRect(Rect(0, band * 10, kWidth, 10),
                         Color(60 + band * 8, 140 + band * 6, 230 - band * 12), kDrawModeNormal);
    }
    auto sun = Sun(app);
    screen->Blt(sun.get(), 110, 8, Rect(0, 0, 32, 32), Color::White, kDrawModeNormal);
    screen->Blt(sun.get(), 104, 2, Rect(0, 0, 32, 32), Color(255, 255, 255, 96), kDrawModeAdditive);
    screen->Blt(sun.get(), 20, 14, Rect(0, 0, 32, 32), Color(255, 90, 90, 160), kDrawModeNormal);
    auto fence = Fence(app);
    screen->Blt(fence.get(), 4, 70, Rect(0, 0, 100, 40), Color::White, kDrawModeNormal);
    screen->BltMirror(fence.get(), 90, 78, Rect(10, 0, 70, 40), Color(200, 255, 200),
                      kDrawModeNormal);
    screen->StretchBlt(fence.get(), Rect(60, 40, 60, 20), Rect(0, 0, 30, 10), Rect(0, 0, 160, 120),
                       Color::White, kDrawModeNormal, true);
    screen->FillRect(Rect(0, 112, kWidth, 8), Color(40, 120, 30, 100), kDrawModeNormal);
    screen->FillRect(Rect(70, 20, 30, 12), Color(80, 40, 0), kDrawModeAdditive);
}

std::vector<uint32_t> DrawWith(bool use3D) {
    Vuro::Test::MemoryRegistry registry;
    Vuro::Test::DisplayRig rig(Platform::kFormat888, kWidth, kHeight);
    rig.display->mIs3D = use3D;
    EXPECT_EQ(rig.Init(), DDInterface::RESULT_OK);
    DDImage* screen = rig.display->GetScreenImage();
    DrawScene(screen, &rig.app);
    EXPECT_TRUE(rig.display->Redraw(nullptr));
    const uint32_t* bits = screen->GetBits();
    std::vector<uint32_t> picture(bits, bits + kWidth * kHeight);
    for (uint32_t& p : picture) {
        p |= 0xFF000000;
    }
    return picture;
}

TEST(Display3DGoldenTest, TheThreeDPathDrawsTheSoftwarePathsScene) {
    const std::vector<uint32_t> software = DrawWith(false);
    EXPECT_TRUE(
        Vuro::Test::MatchesGolden(software.data(), kWidth, kHeight,
                                  Vuro::Test::GoldenPath("framework/display/golden/scene.png")));
    const std::vector<uint32_t> threeD = DrawWith(true);
    int worst = 0;
    int worstAt = 0;
    for (size_t i = 0; i < software.size(); ++i) {
        for (int shift = 0; shift < 24; shift += 8) {
            const int d =
                std::abs(int(software[i] >> shift & 0xFF) - int(threeD[i] >> shift & 0xFF));
            if (d > worst) {
                worst = d;
                worstAt = static_cast<int>(i);
            }
        }
    }
    EXPECT_LE(worst, kTolerance) << "at " << worstAt % kWidth << "," << worstAt / kWidth << std::hex
                                 << ": software " << software[worstAt] << ", 3-D "
                                 << threeD[worstAt];
}

} // namespace
} // namespace Vuro
