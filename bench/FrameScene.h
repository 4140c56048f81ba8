#pragma once
// One frame of a casual-game screen at 640 x 480, written down once as a list of drawing
// operations so that every library draws the same pictures at the same places in the same
// order: an opaque background, 36 alpha sprites from 32 x 32 to 96 x 96 (soft edges, shadows,
// translucent bubbles, transparent borders; some additive glows), four rotated sprites, three
// translucent panels and four small sprites over them.
//
// The operations are grouped by the widget that draws them. The widgets form a small tree (see
// kAreas); walking it parent first, children bottom to top, meets the operations in list order.

#include "bench/BenchPictures.h"
#include "framework/graphics/Color.h"
#include "framework/graphics/GraphicsTypes.h"
#include "framework/graphics/Rect.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <iterator>
#include <vector>

namespace Vuro::Bench {

constexpr int kScreenWidth = 640;
constexpr int kScreenHeight = 480;

// What an operation is, for the per-layer cases; All stands for the whole frame.
enum class Layer { Background, Sprites, Additive, Rotated, Panels, All };

// A widget of the scene: its rectangle on the screen and its parent (-1: the top widget).
struct SceneArea {
    Rect mScreenRect;
    int mParent;
};

// Top: the board; four beds of fruit in its quarters, a spinner in the middle, and the HUD
// over everything with a score box inside it.
inline const SceneArea kAreas[] = {
    {Rect(0, 0, 640, 480), -1},  {Rect(0, 0, 320, 240), 0},     {Rect(320, 0, 320, 240), 0},
    {Rect(0, 240, 320, 240), 0}, {Rect(320, 240, 320, 240), 0}, {Rect(160, 120, 320, 240), 0},
    {Rect(0, 0, 640, 480), 0},   {Rect(170, 396, 300, 70), 6},
};
constexpr int kAreaCount = static_cast<int>(std::size(kAreas));

struct DrawOp {
    Layer mLayer;
    int mArea;      // index into kAreas of the widget that draws it
    int mPicture;   // index into FrameScene::mPictures; -1 for a fill
    Rect mRect;     // on the screen: where the picture's corner lands, or the filled rectangle
    DrawMode mMode; // normal or additive
    Color mColor;   // of a fill
    double mAngle;  // of a rotated sprite, radians, about the picture's centre
};

struct FrameScene {
    std::vector<Picture> mPictures;
    std::vector<DrawOp> mOps;

    // Destination pixels the operations of a layer cover (a rotated sprite counts its own
    // area).
    double Pixels(Layer layer) const {
        double sum = 0;
        for (const DrawOp& op : mOps) {
            if (layer == Layer::All || op.mLayer == layer) {
                sum += double(op.mRect.mWidth) * op.mRect.mHeight;
            }
        }
        return sum;
    }
};

// [SECTION] Pictures

namespace SceneArt {

inline uint32_t Pack(double a, double r, double g, double b) {
    const auto byte = [](double v) { return uint32_t(std::clamp(v, 0.0, 255.0) + 0.5); };
    return byte(a) == 0 ? 0 : (byte(a) << 24) | (byte(r) << 16) | (byte(g) << 8) | byte(b);
}

// A garden: sky-to-grass gradient with soft stripes; opaque.
inline Picture Background() {
    Picture p{kScreenWidth, kScreenHeight, {}};
    p.mPixels.resize(size_t(kScreenWidth) * kScreenHeight);
    for (int y = 0; y < kScreenHeight; ++y) {
        for (int x = 0; x < kScreenWidth; ++x) {
            const double t = double(y) / kScreenHeight;
            const double stripe = 12 * std::sin((x + y * 0.5) * 0.05);
            p.mPixels[size_t(y) * kScreenWidth + x] =
                Pack(255, 90 + 60 * (1 - t) + stripe, 150 + 70 * t + stripe, 200 * (1 - t) + 40);
        }
    }
    return p;
}

// A fruit: a shaded disc with a two-pixel soft rim and a translucent shadow below it, inside a
// transparent border.
inline Picture Fruit(int size, double red, double green, double blue) {
    Picture p{size, size, std::vector<uint32_t>(size_t(size) * size, 0)};
    const double c = size / 2.0;
    const double radius = size / 2.0 - 5;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const double dx = x + 0.5 - c;
            const double dy = y + 0.5 - c;
            const double d = std::hypot(dx, dy);
            const double rim = std::clamp((radius - d) * 127.5 + 127.5, 0.0, 255.0);
            const double light = 1.1 - 0.5 * std::hypot(dx + radius / 3, dy + radius / 3) / radius;
            const double shadow = std::hypot(dx - 2, (dy - 3) * 1.2) < radius + 1.5 ? 90 : 0;
            const double alpha = rim + shadow * (1 - rim / 255);
            if (alpha <= 0) {
                continue;
            }
            // Over the shadow the colour fades to black in proportion.
            const double lit = rim / alpha;
            p.mPixels[size_t(y) * size + x] =
                Pack(alpha, red * light * lit, green * light * lit, blue * light * lit);
        }
    }
    return p;
}

// A glow for additive drawing: colour with alpha falling off to nothing at the edge.
inline Picture Glow(int size, double red, double green, double blue) {
    Picture p{size, size, std::vector<uint32_t>(size_t(size) * size, 0)};
    const double c = size / 2.0;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const double f = std::max(0.0, 1 - std::hypot(x + 0.5 - c, y + 0.5 - c) / (c - 1));
            p.mPixels[size_t(y) * size + x] = Pack(255 * f * f, red, green, blue);
        }
    }
    return p;
}

// A soap bubble: translucent inside, a denser rim.
inline Picture Bubble(int size) {
    Picture p{size, size, std::vector<uint32_t>(size_t(size) * size, 0)};
    const double c = size / 2.0;
    const double radius = size / 2.0 - 3;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const double d = std::hypot(x + 0.5 - c, y + 0.5 - c);
            if (d < radius) {
                p.mPixels[size_t(y) * size + x] = Pack(d > radius - 3 ? 220 : 100, 200, 230, 255);
            }
        }
    }
    return p;
}

} // namespace SceneArt

// [SECTION] The frame

// Picture indices.
enum : int {
    kBackground,
    kFruit32,
    kFruit40,
    kFruit48,
    kFruit64,
    kFruit80,
    kFruit96,
    kBubble56,
    kGlow32,
    kGlow48,
    kGlow64,
    kGlow96,
};

inline FrameScene MakeFrameScene() {
    using namespace SceneArt;
    FrameScene scene;
    scene.mPictures = {Background(),
                       Fruit(32, 230, 60, 40),
                       Fruit(40, 250, 170, 30),
                       Fruit(48, 120, 200, 50),
                       Fruit(64, 200, 40, 120),
                       Fruit(80, 250, 220, 60),
                       Fruit(96, 140, 60, 200),
                       Bubble(56),
                       Glow(32, 255, 240, 160),
                       Glow(48, 160, 255, 200),
                       Glow(64, 255, 200, 120),
                       Glow(96, 200, 220, 255)};
    const auto size = [&scene](int picture) { return scene.mPictures[picture].mWidth; };
    const auto blit = [&](Layer layer, int area, int picture, int x, int y, DrawMode mode) {
        scene.mOps.push_back(DrawOp{layer, area, picture, Rect(x, y, size(picture), size(picture)),
                                    mode, Color::White, 0.0});
    };
    const auto fill = [&](int area, const Rect& rect, const Color& color) {
        scene.mOps.push_back(DrawOp{Layer::Panels, area, -1, rect, kDrawModeNormal, color, 0.0});
    };

    blit(Layer::Background, 0, kBackground, 0, 0, kDrawModeNormal);
    // Nine sprites per bed at fixed pseudo-random places inside it; every sixth a glow.
    const int fruits[] = {kFruit32, kFruit40, kFruit48, kFruit64, kFruit80, kFruit96, kBubble56};
    const int glows[] = {kGlow32, kGlow48, kGlow64, kGlow96};
    uint32_t seed = 12345;
    const auto next = [&seed](int range) {
        seed = seed * 1664525u + 1013904223u;
        return int((seed >> 8) % uint32_t(range));
    };
    int count = 0;
    for (int area = 1; area <= 4; ++area) {
        const Rect& bed = kAreas[area].mScreenRect;
        for (int i = 0; i < 9; ++i, ++count) {
            const bool glow = count % 6 == 5;
            const int picture = glow ? glows[next(4)] : fruits[next(7)];
            const int s = size(picture);
            blit(glow ? Layer::Additive : Layer::Sprites, area, picture,
                 bed.mX + next(bed.mWidth - s + 1), bed.mY + next(bed.mHeight - s + 1),
                 glow ? kDrawModeAdditive : kDrawModeNormal);
        }
    }
    // The spinner turns four sprites about their centres, well inside its rectangle.
    const struct {
        int picture;
        int x, y;
        double angle;
        DrawMode mode;
    } turned[] = {{kFruit96, 190, 150, 0.3, kDrawModeNormal},
                  {kFruit80, 340, 140, 1.1, kDrawModeNormal},
                  {kFruit64, 200, 270, 2.0, kDrawModeNormal},
                  {kGlow96, 350, 240, 4.0, kDrawModeAdditive}};
    for (const auto& t : turned) {
        scene.mOps.push_back(DrawOp{Layer::Rotated, 5, t.picture,
                                    Rect(t.x, t.y, size(t.picture), size(t.picture)), t.mode,
                                    Color::White, t.angle});
    }
    // The HUD: a top bar and a side panel with two sparkles; the score box with two coins.
    fill(6, Rect(0, 0, 640, 40), Color(20, 30, 60, 140));
    fill(6, Rect(500, 60, 130, 300), Color(255, 255, 255, 90));
    blit(Layer::Additive, 6, kGlow32, 540, 80, kDrawModeAdditive);
    blit(Layer::Additive, 6, kGlow48, 560, 290, kDrawModeAdditive);
    fill(7, Rect(170, 396, 300, 70), Color(60, 20, 10, 170));
    blit(Layer::Sprites, 7, kFruit40, 185, 411, kDrawModeNormal);
    blit(Layer::Sprites, 7, kFruit48, 405, 407, kDrawModeNormal);
    return scene;
}

} // namespace Vuro::Bench
