// Triangle rasteriser, front half: the strip is cut into triangles, each clipped against the
// clip rectangle (Sutherland-Hodgman) and the clipped polygon fanned out to the scan converter.

#include "framework/graphics/SWTri.h"

#include "framework/graphics/MemoryImage.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace Vuro {

namespace {

// Each clip stage emits at most two vertices per input edge, so three stages after the first
// (3 -> 6 -> 12 -> 24 -> 48) stay within this even when rounding makes a cut polygon ragged.
constexpr int kMaxClipVertices = 48;

// Fixed point keeps pixel positions in 16 integer bits (signed 32-bit 16.16).
constexpr int kMaxCoordinate = 32767;

struct Polygon {
    SWTriVertex mVertices[kMaxClipVertices];
    int mCount = 0;
};

// The vertex where the edge from inside to outside meets coordinate `bound` of the axis. It is
// always computed from the inside end, so the two triangles sharing an edge cut it at the same
// point, and it lands exactly on the bound.
SWTriVertex Cut(const SWTriVertex& in, const SWTriVertex& out, bool alongX, double bound) {
    const double from = alongX ? in.mX : in.mY;
    const double to = alongX ? out.mX : out.mY;
    const double t = (bound - from) / (to - from);
    SWTriVertex cut;
    cut.mX = alongX ? bound : in.mX + t * (out.mX - in.mX);
    cut.mY = alongX ? in.mY + t * (out.mY - in.mY) : bound;
    cut.mU = in.mU + t * (out.mU - in.mU);
    cut.mV = in.mV + t * (out.mV - in.mV);
    cut.mColor = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        const double a = (in.mColor >> shift) & 0xFF;
        const double b = (out.mColor >> shift) & 0xFF;
        const auto channel = static_cast<uint32_t>(std::clamp(a + t * (b - a), 0.0, 255.0));
        cut.mColor |= channel << shift;
    }
    return cut;
}

// Keeps the part of `in` on the inner side of one bound (x >= bound when keepAbove, else
// x <= bound; y likewise).
void ClipAgainst(const Polygon& in, Polygon& out, bool alongX, bool keepAbove, double bound) {
    out.mCount = 0;
    const auto inside = [&](const SWTriVertex& v) {
        const double c = alongX ? v.mX : v.mY;
        return keepAbove ? c >= bound : c <= bound;
    };
    for (int k = 0; k < in.mCount && out.mCount + 2 <= kMaxClipVertices; ++k) {
        const SWTriVertex& a = in.mVertices[k];
        const SWTriVertex& b = in.mVertices[(k + 1) % in.mCount];
        const bool aInside = inside(a);
        if (aInside) {
            out.mVertices[out.mCount++] = a;
        }
        if (aInside != inside(b)) {
            out.mVertices[out.mCount++] =
                aInside ? Cut(a, b, alongX, bound) : Cut(b, a, alongX, bound);
        }
    }
}

bool IsFinite(const TexVertex& v) {
    return std::isfinite(v.mX) && std::isfinite(v.mY) && std::isfinite(v.mU) && std::isfinite(v.mV);
}

// False when the destination format has no writer (nothing more can be drawn).
bool DrawOne(const TexVertex& a, const TexVertex& b, const TexVertex& c,
             const SWTriTarget& target) {
    if (!IsFinite(a) || !IsFinite(b) || !IsFinite(c)) {
        return true;
    }
    Polygon polygon;
    Polygon scratch;
    for (const TexVertex* v : {&a, &b, &c}) {
        polygon.mVertices[polygon.mCount++] = {v->mX, v->mY, v->mU, v->mV, v->mColor};
    }
    // Right and bottom bounds are the far edges of the last column and row, which the span
    // and row rules then exclude (cutting one pixel earlier would never draw the last column
    // or row of the clip).
    const Rect& clip = target.mClip;
    ClipAgainst(polygon, scratch, true, true, clip.mX);
    ClipAgainst(scratch, polygon, true, false, clip.mX + clip.mWidth);
    ClipAgainst(polygon, scratch, false, true, clip.mY);
    ClipAgainst(scratch, polygon, false, false, clip.mY + clip.mHeight);
    for (int k = 1; k + 1 < polygon.mCount; ++k) {
        const SWTriVertex triangle[3] = {polygon.mVertices[0], polygon.mVertices[k],
                                         polygon.mVertices[k + 1]};
        if (!SWTriScanDispatch(triangle, target)) {
            return false;
        }
    }
    return true;
}

} // namespace

void SWTriDrawTriangle(const TexVertex* vertices, int count, MemoryImage* texture,
                       const Color& color, DrawMode /*mode*/, const Rect& clipRect, void* bits,
                       int pitch, PixelFormatCode format, bool blend) {
    SWTriTarget target;
    target.mBits = static_cast<uint8_t*>(bits);
    target.mPitch = pitch;
    target.mFormat = format;
    target.mClip = clipRect.Intersection(Rect(0, 0, kMaxCoordinate, kMaxCoordinate));
    target.mDrawColor = color.Clamped();
    if (vertices == nullptr || count < 3 || bits == nullptr || target.mClip.IsEmpty()) {
        return;
    }

    std::vector<uint32_t> expanded; // a palettised texture is read without changing its form
    if (texture != nullptr) {
        texture->ApplyBits();
        if (texture->mWidth <= 0 || texture->mHeight <= 0) {
            return;
        }
        target.mTexture.mWidth = texture->mWidth;
        target.mTexture.mHeight = texture->mHeight;
        if (texture->IsPalettised()) {
            const size_t n = static_cast<size_t>(texture->mWidth) * texture->mHeight;
            expanded.resize(n);
            for (size_t i = 0; i < n; ++i) {
                expanded[i] = texture->mColorTable[texture->mColorIndices[i]];
            }
            target.mTexture.mTexels = expanded.data();
        } else {
            target.mTexture.mTexels = texture->GetBits();
        }
        target.mComposite = texture->mHasAlpha || texture->mHasTrans || blend;
    } else {
        target.mComposite = blend;
    }
    // White is the neutral colour of every image operation: modulating by it would darken each
    // channel by the >> 24 rounding (255 to 251), so an all-white call samples unmodulated.
    target.mModulate = target.mDrawColor != Color::White;
    for (int i = 0; i < count && !target.mModulate; ++i) {
        target.mModulate = vertices[i].mColor != 0xFFFFFFFF;
    }

    for (int i = 0; i + 2 < count; ++i) {
        // Every other triangle of a strip is reordered to keep one winding.
        const TexVertex& a = vertices[i];
        const TexVertex& b = vertices[i % 2 == 0 ? i + 1 : i + 2];
        const TexVertex& c = vertices[i % 2 == 0 ? i + 2 : i + 1];
        if (!DrawOne(a, b, c, target)) {
            return;
        }
    }
}

} // namespace Vuro
