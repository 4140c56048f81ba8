// Speed of the software triangle rasteriser through BltMatrix: a textured quad turned and
// scaled onto a 640 x 480 screen, in megapixels per second of the quad's area, against pixman
// drawing the same transform with bilinear filtering.
//
// The comparison is the nearest equivalent, not identical arithmetic: pixman composites
// premultiplied pixels over the quad's whole bounding box and samples every pixel there;
// ours scans the quad itself. After the run a table gives ours / pixman (above 1: ours is
// faster); SDL2 has no textured triangles of its own and has no column.

#include "bench/KernelOption.h"
#include "bench/RatioReporter.h"
#include "framework/app/VuroAppBase.h"
#include "framework/graphics/MemoryImage.h"
#include "framework/util/Matrix.h"

#include <benchmark/benchmark.h>
#include <pixman.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace {

using namespace Vuro;

constexpr int kWidth = 640;
constexpr int kHeight = 480;
constexpr int kTexture = 256;
constexpr float kAngle = 0.3f;
constexpr float kScale = 1.5f;
const Rect kScreen(0, 0, kWidth, kHeight);

// A sprite: opaque in most places, with transparent and soft-edged bands as sprites have them.
std::vector<uint32_t> SpritePixels(bool opaque) {
    std::vector<uint32_t> pixels(kTexture * kTexture);
    for (int y = 0; y < kTexture; ++y) {
        for (int x = 0; x < kTexture; ++x) {
            const uint32_t colour = (uint32_t(x) << 16) | (uint32_t(y) << 8) | uint32_t(x ^ y);
            const int band = (x + y / 2) % 64;
            uint32_t alpha = 255;
            if (!opaque) {
                alpha = band < 12 ? 0 : (band < 20 ? uint32_t(1 + (x * 7 + y * 3) % 254) : 255);
            }
            pixels[static_cast<size_t>(y) * kTexture + x] = (alpha << 24) | colour;
        }
    }
    return pixels;
}

Transform2D QuadMatrix(float scale, float angle) {
    Transform2D m;
    m.Scale(scale, scale);
    m.RotateRad(angle);
    return m;
}

// Screen pixels the quad covers.
double QuadPixels(float scale) {
    return double(kTexture) * kTexture * scale * scale;
}

void Report(benchmark::State& state, double pixels) {
    state.counters["Mpix/s"] =
        benchmark::Counter(pixels / 1e6, benchmark::Counter::kIsIterationInvariantRate);
}

void Ours(benchmark::State& state, bool opaque, float scale, float angle, Color color, bool blend) {
    VuroAppBase app;
    MemoryImage dest(&app);
    const std::vector<uint32_t> background(kWidth * kHeight, 0xFF336699);
    dest.SetBits(background.data(), kWidth, kHeight);
    MemoryImage texture(&app);
    const std::vector<uint32_t> pixels = SpritePixels(opaque);
    texture.SetBits(pixels.data(), kTexture, kTexture);
    const Transform2D m = QuadMatrix(scale, angle);
    for (auto _ : state) {
        dest.BltMatrix(&texture, kWidth / 2.0f, kHeight / 2.0f, m, kScreen, color, kDrawModeNormal,
                       Rect(0, 0, kTexture, kTexture), blend);
        benchmark::ClobberMemory();
    }
    Report(state, QuadPixels(scale));
}

// pixman maps destination pixels back to the texture: the inverse of the quad's placement.
void Pixman(benchmark::State& state, bool opaque, float scale, float angle) {
    std::vector<uint32_t> destPixels(kWidth * kHeight, 0xFF336699);
    std::vector<uint32_t> pixels = SpritePixels(opaque);
    pixman_image_t* dest =
        pixman_image_create_bits(PIXMAN_a8r8g8b8, kWidth, kHeight, destPixels.data(), kWidth * 4);
    pixman_image_t* src =
        pixman_image_create_bits(PIXMAN_a8r8g8b8, kTexture, kTexture, pixels.data(), kTexture * 4);
    const double c = std::cos(angle) * scale;
    const double s = std::sin(angle) * scale;
    const Transform2D m = QuadMatrix(scale, angle);
    // Forward: screen = M (texel - size / 2) + centre; the 2x2 part of M is [[a, b], [d, e]].
    const double a = m.m00, b = m.m01, d = m.m10, e = m.m11;
    const double det = a * e - b * d;
    const double cx = kWidth / 2.0, cy = kHeight / 2.0, half = kTexture / 2.0;
    pixman_transform_t t = {{{pixman_double_to_fixed(e / det), pixman_double_to_fixed(-b / det),
                              pixman_double_to_fixed((-e * cx + b * cy) / det + half)},
                             {pixman_double_to_fixed(-d / det), pixman_double_to_fixed(a / det),
                              pixman_double_to_fixed((d * cx - a * cy) / det + half)},
                             {0, 0, pixman_fixed_1}}};
    pixman_image_set_transform(src, &t);
    pixman_image_set_filter(src, PIXMAN_FILTER_BILINEAR, nullptr, 0);
    // The quad's bounding box.
    const double extentX = half * (std::abs(c) + std::abs(s));
    const double extentY = half * (std::abs(s) + std::abs(c));
    const int x0 = std::max(0, int(cx - extentX));
    const int y0 = std::max(0, int(cy - extentY));
    const int x1 = std::min(kWidth, int(std::ceil(cx + extentX)));
    const int y1 = std::min(kHeight, int(std::ceil(cy + extentY)));
    for (auto _ : state) {
        pixman_image_composite32(PIXMAN_OP_OVER, src, nullptr, dest, x0, y0, 0, 0, x0, y0, x1 - x0,
                                 y1 - y0);
        benchmark::ClobberMemory();
    }
    Report(state, QuadPixels(scale));
    pixman_image_unref(src);
    pixman_image_unref(dest);
}

const Color kTint(255, 200, 120, 255);

} // namespace

int main(int argc, char** argv) {
    if (!Vuro::Bench::TakeKernelOption(argc, argv)) {
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    struct Case {
        const char* mName;
        bool mOpaque;
        float mScale;
        float mAngle;
        Color mColor;
        bool mPixman; // pixman has an equivalent (it has no tint of this kind)
    };
    const Case cases[] = {
        {"SpriteTurnedScaled", false, kScale, kAngle, Color::White, true},
        {"SpriteTurnedScaledTinted", false, kScale, kAngle, kTint, false},
        {"OpaqueTurnedScaled", true, kScale, kAngle, Color::White, true},
        {"SpriteIdentity", false, 1.0f, 0.0f, Color::White, true},
    };
    std::vector<std::string> names;
    for (const Case& c : cases) {
        names.push_back(c.mName);
        benchmark::RegisterBenchmark((std::string("Ours/") + c.mName).c_str(), Ours, c.mOpaque,
                                     c.mScale, c.mAngle, c.mColor, false);
        if (c.mPixman) {
            benchmark::RegisterBenchmark((std::string("pixman/") + c.mName).c_str(), Pixman,
                                         c.mOpaque, c.mScale, c.mAngle);
        }
    }
    Vuro::Bench::RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintTable("case (Mpix/s)", names, "Mpix/s");
    Vuro::Bench::PrintKernelLine();
    benchmark::Shutdown();
    return 0;
}
