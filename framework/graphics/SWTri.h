#pragma once
// Software triangle rasteriser: textured, colour-modulated triangles drawn into 32-bit pixel
// memory, with bilinear texture fetch and alpha compositing. The in-memory image draws its
// matrix and triangle blits through it; the display image passes its own surface memory.
//
// What a caller can rely on:
// - Nothing is written outside the clip rectangle, which must lie inside the destination
//   memory (the clip is also kept to 0 .. 32767, the range 16.16 fixed point holds).
// - Destination formats 0x8888, 0x888 and the 16-bit 0x565 and 0x555 are drawn; any other code
//   draws nothing. A 16-bit pixel is composited as the 32-bit one its channels' top bits make
//   (low bits 0) and written back with each channel's low bits dropped.
// - Triangles without area, without a pixel row, or with a non-finite coordinate are skipped.
// - Every call works on its own stack memory: several threads may draw at once into
//   different destinations.
//
// Pixel rules (16.16 fixed point): rows run from ceil(top) while below the bottom, spans from
// ceil(left) while below the right edge, a pixel (X, Y) samples the plane at exactly (X, Y).
// The sample is premultiplied; colour modulation (used unless every vertex and the draw colour
// are white) multiplies each channel by the interpolated vertex colour (itself vertex x draw
// colour >> 8), products >> 24, and the colour channels once more by the colour's alpha so
// the sample stays premultiplied. Compositing (when the
// texture has alpha or transparency, or blend is asked for) follows the rotated blit: samples
// of alpha 0 change nothing, alpha >= 251 write the sample's colour, others are mixed in
// proportion; the new alpha is 256 - ((256 - da) * (256 - sa) >> 8), at most 255. Without
// compositing the sample's colour is written opaque.

#include "framework/graphics/Color.h"
#include "framework/graphics/GraphicsTypes.h"
#include "framework/graphics/Rect.h"

#include <algorithm>
#include <cstdint>

namespace Vuro {

class MemoryImage;

// A vertex after clipping: double precision so that cuts land where the edge is.
struct SWTriVertex {
    double mX; // destination pixels
    double mY;
    double mU; // 0..1 across the texture
    double mV;
    uint32_t mColor; // 0xAARRGGBB
};

// Texels as the fetch reads them: width x height words, row-major.
struct SWTriTexture {
    const uint32_t* mTexels = nullptr; // null: untextured, every sample opaque white
    int mWidth = 0;
    int mHeight = 0;
};

// Everything one triangle of a draw call needs besides its vertices.
struct SWTriTarget {
    uint8_t* mBits = nullptr; // destination memory, 16- or 32-bit words by the format
    int mPitch = 0;           // bytes per row
    PixelFormatCode mFormat = kPixelFormat8888;
    Rect mClip; // inside the destination
    SWTriTexture mTexture;
    Color mDrawColor;        // clamped
    bool mComposite = false; // alpha compositing, else opaque writes
    bool mModulate = false;  // multiply by the interpolated colour
};

// Draws count - 2 triangles of a strip (vertices i, i + 1, i + 2, every other one reordered to
// keep one winding). The texture may be null (untextured); any texture has ApplyBits called
// first. The draw mode is accepted for the display image's sake and not read: triangles are
// always composited as in normal mode.
void SWTriDrawTriangle(const TexVertex* vertices, int count, MemoryImage* texture,
                       const Color& color, DrawMode mode, const Rect& clipRect, void* bits,
                       int pitch, PixelFormatCode format, bool blend);

// Scan-converts one triangle already inside target.mClip with the writer of target.mFormat.
// False, drawing nothing, for a format without a writer.
bool SWTriScanDispatch(const SWTriVertex (&triangle)[3], const SWTriTarget& target);

// Bilinear fetch at (u, v), 16.16 texel units, texel centres at half positions. Returns the
// premultiplied sample: alpha = sum of the four weights (0..255), channels = weighted sums
// >> 8. Texels outside the texel count (negative indices too) read as transparent black; a
// column past either side reads the neighbouring row's end texel, as the index runs on.
inline uint32_t SWTriTexelBilinear(const uint32_t* texels, int width, uint32_t count, int64_t u,
                                   int64_t v) {
    u -= 0x8000;
    v -= 0x8000;
    // An arithmetic shift is a true floor; rounding toward zero would take one texel too few
    // just below 0.
    const int64_t index = (v >> 16) * width + (u >> 16);
    const uint32_t fx = (static_cast<uint32_t>(u) & 0xFFFE) + 1;
    const uint32_t fy = (static_cast<uint32_t>(v) & 0xFFFE) + 1;
    const uint32_t area[4] = {(65536 - fx) * (65536 - fy) >> 16, fx * (65536 - fy) >> 16,
                              (65536 - fx) * fy >> 16, fx * fy >> 16};
    uint32_t texel[4];
    if (index >= 0 && index + width + 1 < static_cast<int64_t>(count)) {
        texel[0] = texels[index];
        texel[1] = texels[index + 1];
        texel[2] = texels[index + width];
        texel[3] = texels[index + width + 1];
    } else {
        const int64_t at[4] = {index, index + 1, index + width, index + width + 1};
        for (int k = 0; k < 4; ++k) {
            texel[k] = static_cast<uint64_t>(at[k]) < count ? texels[at[k]] : 0;
        }
    }
    // Fast path: red and blue weighted together in one word. Each weighted sum is at most
    // 255 x 255 (the weights add up to 255 at most), so neither half carries into the other.
    uint32_t alpha = 0;
    uint32_t redBlue = 0;
    uint32_t green = 0;
    for (int k = 0; k < 4; ++k) {
        const uint32_t w = area[k] * (texel[k] >> 24) >> 16;
        alpha += w;
        redBlue += (texel[k] & 0xFF00FF) * w;
        green += (texel[k] & 0xFF00) * w;
    }
    return (alpha << 24) | ((redBlue >> 24) << 16) | ((green >> 8) & 0xFF00) |
           ((redBlue >> 8) & 0xFF);
}

// Fast path: n / d by one multiplication, exact for n < 2^17 and d in 1..256 (the range of the
// compositing divisions): with m = ceil(2^25 / d) the error n (m d - 2^25) / (d 2^25) stays
// below 1 / d, too little to reach the next integer.
struct SWTriReciprocals {
    uint64_t mFactor[257];
    constexpr SWTriReciprocals() : mFactor() {
        for (uint64_t d = 1; d <= 256; ++d) {
            mFactor[d] = ((uint64_t(1) << 25) + d - 1) / d;
        }
    }
};
inline constexpr SWTriReciprocals kSWTriReciprocals;

inline uint32_t SWTriDivide(uint32_t n, uint32_t d) {
    return static_cast<uint32_t>(n * kSWTriReciprocals.mFactor[d] >> 25);
}

// The compositing of one premultiplied sample s onto the destination word d by the pixel rules
// above. Without DestAlpha (0x888 and the 16-bit formats) the destination counts as opaque and
// its top byte is kept.
template <bool Composite, bool DestAlpha>
[[gnu::always_inline]] inline uint32_t SWTriWrite(uint32_t d, uint32_t s) {
    const uint32_t top = d & 0xFF000000;
    if constexpr (!Composite) {
        return (DestAlpha ? 0xFF000000 : top) | (s & 0xFFFFFF);
    }
    const uint32_t sa = s >> 24;
    if (sa == 0) {
        return d;
    }
    const uint32_t da = DestAlpha ? d >> 24 : 255;
    const uint32_t t = 256 - sa;
    const uint32_t kept = (256 - da) * t >> 8;
    // Clamped: 256 - kept reaches 256 on an opaque destination.
    const uint32_t alpha = DestAlpha ? std::min<uint32_t>(256 - kept, 255) << 24 : top;
    if (sa >= 251) {
        return alpha | (s & 0xFFFFFF);
    }
    uint32_t rgb = 0;
    for (const int shift : {16, 8, 0}) {
        const uint32_t dc = (d >> shift) & 0xFF;
        const uint32_t sc = (s >> shift) & 0xFF;
        // ((dc * da >> 8) * t + (sc << 8)) / (256 - kept), below 2^17.
        const uint32_t c = SWTriDivide((dc * da >> 8) * t + (sc << 8), 256 - kept);
        rgb |= std::min<uint32_t>(c, 255) << shift;
    }
    return alpha | rgb;
}

// Whether a fetch at (u, v) (16.16, as SWTriTexelBilinear takes it) falls on a texel's centre
// closely enough that its three neighbours get no weight: then the sample is a function of
// that one texel, and a span stepping exactly one texel across reads consecutive texels.
inline bool SWTriOnTexelCentre(int64_t u, int64_t v) {
    return ((static_cast<uint32_t>(u - 0x8000) | static_cast<uint32_t>(v - 0x8000)) & 0xFFFE) == 0;
}

// Fast path: SWTriWrite of the centred samples of count consecutive texels onto count 32-bit
// destination words, the same words SWTriTexelBilinear and SWTriWrite give pixel by pixel.
void SWTriTexelSpan(uint32_t* out, const uint32_t* texels, int count, bool composite,
                    bool destAlpha);

} // namespace Vuro
