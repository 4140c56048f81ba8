#pragma once
// A small kit of cairo helpers shared by the painters of the asset tool: a canvas that owns its
// surface, path builders, shaded fills lit from the upper left, the warm outline, soft drop
// shadows, and a seeded random source so that scattered detail comes out the same every run.

#include "tools/assetgen/art/Palette.h"

#include <cairo.h>

#include <cstdint>
#include <functional>

namespace Vuro::AssetGen::Art {

// An ARGB32 cairo surface with its drawing context, cleared to transparent.
class Canvas {
public:
    Canvas(int width, int height);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    cairo_t* Cr() const { return mCr; }
    cairo_surface_t* Surface() const { return mSurface; }
    int Width() const { return mWidth; }
    int Height() const { return mHeight; }

private:
    int mWidth;
    int mHeight;
    cairo_surface_t* mSurface;
    cairo_t* mCr;
};

// Builds a path on the context it is given (in the context's current transform).
using PathFn = std::function<void(cairo_t*)>;

// A deterministic generator (xorshift32) for scattered detail: the same seed gives the same
// picture on every machine. Draw one value per statement: the order in which a call's arguments
// or an operator's operands are evaluated is the compiler's choice, and the picture must not
// depend on which compiler built the tool.
class Random {
public:
    explicit Random(uint32_t seed) : mState(seed * 2654435761u + 1u) {}
    uint32_t Next();
    double Unit() { return (Next() >> 8) / 16777216.0; } // [0, 1)
    double Range(double low, double high) { return low + (high - low) * Unit(); }
    int Below(int n) { return static_cast<int>(Next() % static_cast<uint32_t>(n)); }

private:
    uint32_t mState;
};

void SetColor(cairo_t* cr, const Rgb& color, double alpha = 1.0);

// Paths (each starts a new sub-path and closes it).
void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double radius);
void Ellipse(cairo_t* cr, double cx, double cy, double rx, double ry);
// A round shape whose edge wobbles by `wobble` (part of the radius) in `lobes` bumps.
void Blob(cairo_t* cr, double cx, double cy, double rx, double ry, double wobble, int lobes,
          double phase);

// Fills the current path (kept) with `base` shaded as a ball lit from the upper left: a light
// spot toward the light, the base colour, then darker toward the far edge.
void FillShaded(cairo_t* cr, const Rgb& base, double cx, double cy, double radius,
                double strength = 1.0);
// Fills the current path (kept) with a linear gradient from `from` at (x0, y0) to `to` at
// (x1, y1).
void FillLinear(cairo_t* cr, const Rgb& from, const Rgb& to, double x0, double y0, double x1,
                double y1, double alpha = 1.0);
// Fills the current path (kept) with a vertical gradient from `top` at y0 to `bottom` at y1.
void FillVertical(cairo_t* cr, const Rgb& top, const Rgb& bottom, double y0, double y1,
                  double alpha = 1.0);
// Fills the current path (kept) lit from the left: lighter at x0, darker at x1.
void FillLitFromLeft(cairo_t* cr, const Rgb& base, double x0, double x1, double amount = 0.2);
// Strokes the current path (cleared) with the warm outline colour.
void StrokeOutline(cairo_t* cr, double width = kOutlineWidth);
// Strokes the current path (cleared) as a line of `colour`, `width` wide, with the warm outline
// around it (ropes, handles, tentacles).
void StrokeWithOutline(cairo_t* cr, const Rgb& colour, double width,
                       double outline = kOutlineWidth * 0.8);

// The outline of a shape made of many overlapping parts (leaves, puffs of cloud): strokes
// every part twice as wide as `width`, so that filling the parts afterwards leaves only the
// outer edge lined.
void OutlineBehind(cairo_t* cr, const PathFn& path, double width = kOutlineWidth);

// A glowing stroke of the current path (cleared): a wide haze of `colour`, a core of white.
void StrokeGlowing(cairo_t* cr, const Rgb& colour, double width, double alpha = 1.0);

// A round glow of `colour` fading out at `radius`.
void Glow(cairo_t* cr, double cx, double cy, double radius, const Rgb& colour, double alpha);

// A star of `points` points between the radii `outer` and `inner`, turned by `turn`.
void StarPath(cairo_t* cr, double cx, double cy, double outer, double inner, int points,
              double turn = 0);

// Mirrors what follows left to right within a box of `width`.
void MirrorX(cairo_t* cr, double width);

// A soft shadow of the shape `path` builds, offset by (dx, dy) and blurred by `blur` pixels,
// painted under whatever is drawn next.
void SoftShadow(cairo_t* cr, const PathFn& path, double dx = kShadowDx, double dy = kShadowDy,
                double blur = kShadowBlur, double alpha = kShadowAlpha);

// The usual body of a sprite: soft shadow, shaded fill and outline of one shape.
void ShadedBody(cairo_t* cr, const PathFn& path, const Rgb& base, double cx, double cy,
                double radius, bool shadow = true, double outline = kOutlineWidth);

// A white gloss spot toward the light, for round shiny things.
void Gloss(cairo_t* cr, double cx, double cy, double radius, double alpha = 0.7);

} // namespace Vuro::AssetGen::Art
