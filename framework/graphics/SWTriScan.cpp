// Triangle rasteriser, back half: the writer of a destination format and a set of flags is
// chosen once per triangle from a table; every entry is the one scan converter, compiled for
// its flags so that the per-pixel loop carries no tests.
//
// All positions and attributes are 16.16 fixed point in 64-bit integers. Edges and attributes
// are evaluated from the upper end of their edge for every row (slope x distance, never
// accumulated), so two triangles sharing an edge agree on it exactly and no product
// overflows: a slope times a distance along its own edge stays below the edge's difference
// times 65536.

#include "framework/graphics/SWTri.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace Vuro {

namespace {

// Texture positions far outside the texture are held here; 16.16 x 2^40 still multiplies by
// 2^16 without overflow.
constexpr double kMaxFixed = static_cast<double>(int64_t(1) << 40);

enum Attribute { kU, kV, kRed, kGreen, kBlue, kAlpha, kAttributeCount };

struct FixedVertex {
    int64_t mX;
    int64_t mY;
    int64_t mA[kAttributeCount]; // u, v in texels; colour channels 0..255
};

int64_t ToFixed(double value) {
    return std::llround(std::clamp(value * 65536.0, -kMaxFixed, kMaxFixed));
}

// Change of an attribute per 16.16 unit of y (or x), in 16.16.
int64_t Slope(int64_t difference, int64_t distance) {
    return difference * 65536 / distance;
}

int64_t CeilFixed(int64_t value) {
    return (value + 65535) >> 16;
}

// Sample channels times the interpolated colour: 8 bits x 16.16 with 8 integer bits, >> 24.
// The colour channels are also taken times the colour's alpha so that the sample stays
// premultiplied (left unscaled, a translucent colour would brighten it).
[[gnu::always_inline]] inline uint32_t Modulated(uint32_t s, const int64_t (&a)[kAttributeCount]) {
    constexpr int64_t kMax = int64_t(255) << 16;
    const auto alpha = static_cast<uint32_t>(std::clamp<int64_t>(a[kAlpha], 0, kMax));
    uint32_t out = ((s >> 24) * alpha >> 24) << 24;
    for (int k = 0; k < 3; ++k) {
        const int shift = 16 - 8 * k;
        const auto c = static_cast<uint32_t>(std::clamp<int64_t>(a[kRed + k], 0, kMax));
        const uint32_t tinted = ((s >> shift) & 0xFF) * c >> 24;
        out |= (tinted * alpha >> 24) << shift;
    }
    return out;
}

// Destination words: 32-bit (with or without an alpha byte) or 16-bit, whose channels are
// widened to 8 bits (low bits 0) for compositing and narrowed again (low bits dropped).
struct Format8888 {
    using Word = uint32_t;
    static constexpr bool kDestAlpha = true;
    static uint32_t Load(Word w) { return w; }
    static Word Store(uint32_t v) { return v; }
};
struct Format888 : Format8888 {
    static constexpr bool kDestAlpha = false;
};
struct Format565 {
    using Word = uint16_t;
    static constexpr bool kDestAlpha = false;
    static uint32_t Load(Word w) {
        return ((w & 0xF800u) << 8) | ((w & 0x7E0u) << 5) | ((w & 0x1Fu) << 3);
    }
    static Word Store(uint32_t v) {
        return static_cast<Word>(((v >> 8) & 0xF800) | ((v >> 5) & 0x7E0) | ((v >> 3) & 0x1F));
    }
};
struct Format555 {
    using Word = uint16_t;
    static constexpr bool kDestAlpha = false;
    static uint32_t Load(Word w) {
        return ((w & 0x7C00u) << 9) | ((w & 0x3E0u) << 6) | ((w & 0x1Fu) << 3);
    }
    static Word Store(uint32_t v) {
        return static_cast<Word>(((v >> 9) & 0x7C00) | ((v >> 6) & 0x3E0) | ((v >> 3) & 0x1F));
    }
};

template <bool Textured, bool Modulate, bool Composite, typename Format>
void ScanConvert(const SWTriVertex (&triangle)[3], const SWTriTarget& target) {
    constexpr int kFirst = Textured ? kU : kRed;
    constexpr int kLast = Modulate ? kAttributeCount : kRed; // one past the last
    const SWTriTexture& texture = target.mTexture;
    const Color& color = target.mDrawColor;
    const int drawChannel[4] = {color.mRed, color.mGreen, color.mBlue, color.mAlpha};

    FixedVertex v[3];
    for (int k = 0; k < 3; ++k) {
        const SWTriVertex& in = triangle[k];
        v[k].mX = ToFixed(in.mX);
        v[k].mY = ToFixed(in.mY);
        v[k].mA[kU] = ToFixed(in.mU * texture.mWidth);
        v[k].mA[kV] = ToFixed(in.mV * texture.mHeight);
        const int shifts[4] = {16, 8, 0, 24};
        for (int c = 0; c < 4; ++c) {
            const int64_t channel = (in.mColor >> shifts[c]) & 0xFF;
            v[k].mA[kRed + c] = (channel * drawChannel[c] >> 8) << 16;
        }
    }
    if (v[1].mY < v[0].mY) {
        std::swap(v[0], v[1]);
    }
    if (v[2].mY < v[1].mY) {
        std::swap(v[1], v[2]);
    }
    if (v[1].mY < v[0].mY) {
        std::swap(v[0], v[1]);
    }

    // Without height there is nothing to divide by; without a pixel row nothing to draw.
    const int64_t height = v[2].mY - v[0].mY;
    const Rect& clip = target.mClip;
    const int64_t rowStart = std::max<int64_t>(CeilFixed(v[0].mY), clip.mY);
    const int64_t rowEnd = std::min<int64_t>(CeilFixed(v[2].mY), clip.mY + clip.mHeight);
    if (height <= 0 || rowStart >= rowEnd) {
        return;
    }

    // The long edge runs from top to bottom; the row gradients come from the horizontal
    // distance between the middle vertex and the long edge at the middle vertex's height.
    const int64_t upper = v[1].mY - v[0].mY;
    const int64_t longX = Slope(v[2].mX - v[0].mX, height);
    const int64_t width = v[1].mX - (v[0].mX + (longX * upper >> 16));
    if (width == 0) {
        return; // no area
    }
    int64_t longA[kAttributeCount] = {};
    int64_t gradient[kAttributeCount] = {};
    for (int a = kFirst; a < kLast; ++a) {
        longA[a] = Slope(v[2].mA[a] - v[0].mA[a], height);
        const int64_t atMiddle = v[0].mA[a] + (longA[a] * upper >> 16);
        gradient[a] = Slope(v[1].mA[a] - atMiddle, width);
    }
    const int64_t upperX = upper > 0 ? Slope(v[1].mX - v[0].mX, upper) : 0;
    const int64_t lower = v[2].mY - v[1].mY;
    const int64_t lowerX = lower > 0 ? Slope(v[2].mX - v[1].mX, lower) : 0;

    const auto texelCount =
        static_cast<uint32_t>(texture.mWidth) * static_cast<uint32_t>(texture.mHeight);
    const bool oneToOne = gradient[kU] == 65536 && gradient[kV] == 0;
    for (int64_t row = rowStart; row < rowEnd; ++row) {
        const int64_t y = row << 16;
        const int64_t down = y - v[0].mY;
        const int64_t xLong = v[0].mX + (longX * down >> 16);
        const int64_t xShort = y < v[1].mY ? v[0].mX + (upperX * down >> 16)
                                           : v[1].mX + (lowerX * (y - v[1].mY) >> 16);
        const int64_t left = width > 0 ? xLong : xShort;
        const int64_t right = width > 0 ? xShort : xLong;
        const int64_t xStart = std::max<int64_t>(CeilFixed(left), clip.mX);
        const int64_t xEnd = std::min<int64_t>(CeilFixed(right), clip.mX + clip.mWidth);
        if (xStart >= xEnd) {
            continue;
        }
        int64_t a[kAttributeCount] = {};
        for (int k = kFirst; k < kLast; ++k) {
            a[k] = v[0].mA[k] + (longA[k] * down >> 16) +
                   (gradient[k] * ((xStart << 16) - xLong) >> 16);
        }
        auto* out = reinterpret_cast<typename Format::Word*>(target.mBits + row * target.mPitch);
        const auto pixels = [&](int64_t from, int64_t to) {
            for (int64_t x = from; x < to; ++x) {
                uint32_t s = 0xFFFFFFFF;
                if constexpr (Textured) {
                    s = SWTriTexelBilinear(texture.mTexels, texture.mWidth, texelCount, a[kU],
                                           a[kV]);
                }
                if constexpr (Modulate) {
                    s = Modulated(s, a);
                }
                out[x] = Format::Store(
                    SWTriWrite<Composite, Format::kDestAlpha>(Format::Load(out[x]), s));
                for (int k = kFirst; k < kLast; ++k) {
                    a[k] += gradient[k];
                }
            }
        };
        // Fast path: a span on texel centres stepping one texel across and none down reads
        // consecutive texels one to one; the part of it off either end of the texels samples
        // nothing and takes the general loop.
        if constexpr (Textured && !Modulate && sizeof(typename Format::Word) == 4) {
            if (oneToOne && SWTriOnTexelCentre(a[kU], a[kV])) {
                const int64_t first =
                    ((a[kV] - 0x8000) >> 16) * texture.mWidth + ((a[kU] - 0x8000) >> 16);
                const int64_t count = xEnd - xStart;
                const int64_t inFrom = std::clamp<int64_t>(-first, 0, count);
                const int64_t inTo = std::clamp<int64_t>(texelCount - first, inFrom, count);
                pixels(xStart, xStart + inFrom);
                SWTriTexelSpan(out + xStart + inFrom, texture.mTexels + first + inFrom,
                               static_cast<int>(inTo - inFrom), Composite, Format::kDestAlpha);
                a[kU] += gradient[kU] * (inTo - inFrom);
                pixels(xStart + inTo, xEnd);
                continue;
            }
        }
        pixels(xStart, xEnd);
    }
}

using ScanFunction = void (*)(const SWTriVertex (&)[3], const SWTriTarget&);

// Flags: 4 textured, 2 modulated, 1 composited.
template <typename Format, int Flags> constexpr ScanFunction Entry() {
    return &ScanConvert<(Flags & 4) != 0, (Flags & 2) != 0, (Flags & 1) != 0, Format>;
}

template <typename Format>
constexpr ScanFunction kWriters[8] = {Entry<Format, 0>(), Entry<Format, 1>(), Entry<Format, 2>(),
                                      Entry<Format, 3>(), Entry<Format, 4>(), Entry<Format, 5>(),
                                      Entry<Format, 6>(), Entry<Format, 7>()};

} // namespace

bool SWTriScanDispatch(const SWTriVertex (&triangle)[3], const SWTriTarget& target) {
    const int flags = (target.mTexture.mTexels != nullptr ? 4 : 0) | (target.mModulate ? 2 : 0) |
                      (target.mComposite ? 1 : 0);
    switch (target.mFormat) {
    case kPixelFormat8888:
        kWriters<Format8888>[flags](triangle, target);
        return true;
    case kPixelFormat888:
        kWriters<Format888>[flags](triangle, target);
        return true;
    case kPixelFormat565:
        kWriters<Format565>[flags](triangle, target);
        return true;
    case kPixelFormat555:
        kWriters<Format555>[flags](triangle, target);
        return true;
    default:
        return false;
    }
}

} // namespace Vuro
