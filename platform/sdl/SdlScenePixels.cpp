#include "platform/sdl/SdlScenePixels.h"

#include "platform/CpuFeatures.h"

#include <SDL.h>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#if defined(__x86_64__)
#include <immintrin.h>
#endif

#include <algorithm>
#include <cstring>

namespace Vuro::Platform {

namespace {

// A 5-bit channel widened as SDL widens it: c * 255 / 31 rounded down, by a multiply and a
// shift that give the same for every c.
uint32_t Widen5(uint32_t c) {
    return c * 1053 >> 7;
}

// SDL's 6-bit green (its 5-6-5 table's own rounding): four times the channel, and one more
// from 24 and again from 48.
uint32_t Widen6(uint32_t c) {
    return c * 4 + (c >= 24 ? 1 : 0) + (c >= 48 ? 1 : 0);
}

template <typename Pixel> Pixel* RowOf(const PixelRows& rows, int y) {
    return reinterpret_cast<Pixel*>(static_cast<uint8_t*>(rows.pixels) +
                                    static_cast<size_t>(y) * rows.pitch);
}

// One pixel blended (alpha 1 to 254; the others are taken whole).
uint32_t Blend(uint32_t s, uint32_t d) {
    const uint32_t a = s >> 24;
    const uint32_t keep = 255 - a;
    uint32_t out = ((255 * a >> 8) + ((d >> 24) * keep >> 8)) << 24;
    for (int shift = 0; shift < 24; shift += 8) {
        out |= (((s >> shift & 255) * a >> 8) + ((d >> shift & 255) * keep >> 8)) << shift;
    }
    return out;
}

#if defined(__x86_64__)
#define VURO_SCENE_AVX2 __attribute__((target("avx2")))
#define VURO_SCENE_AVX2_INLINE __attribute__((target("avx2"), always_inline)) inline

// Source and picture channels on 16-bit lanes, each by its weight: a and 255 - a.
VURO_SCENE_AVX2_INLINE __m256i Mix8(__m256i source, __m256i picture, __m256i alpha) {
    const __m256i full = _mm256_set1_epi16(255);
    return _mm256_add_epi16(
        _mm256_srli_epi16(_mm256_mullo_epi16(source, alpha), 8),
        _mm256_srli_epi16(_mm256_mullo_epi16(picture, _mm256_sub_epi16(full, alpha)), 8));
}

// Fast path: BlendRow's groups eight pixels at a time where the processor has AVX2 (the byte
// unpacks and the pack work within each 128-bit half, so the halves are four-pixel groups as
// before). Answers how many pixels it did.
VURO_SCENE_AVX2 int BlendRowAvx2(const uint32_t* in, uint32_t* out, int width) {
    const __m256i zero = _mm256_setzero_si256();
    const __m256i alphaByte = _mm256_set1_epi32(static_cast<int>(0xFF000000u));
    const __m256i opaqueAlpha = _mm256_set1_epi32(255);
    int i = 0;
    for (; i + 8 <= width; i += 8) {
        const __m256i s = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(in + i));
        const __m256i a = _mm256_srli_epi32(s, 24);
        const __m256i clear = _mm256_cmpeq_epi32(a, zero);
        const __m256i solid = _mm256_cmpeq_epi32(a, opaqueAlpha);
        if (_mm256_movemask_epi8(clear) == -1) {
            continue;
        }
        auto* at = reinterpret_cast<__m256i*>(out + i);
        if (_mm256_movemask_epi8(solid) == -1) {
            _mm256_storeu_si256(at, s);
            continue;
        }
        const __m256i d = _mm256_loadu_si256(at);
        const __m256i a2 = _mm256_or_si256(a, _mm256_slli_epi32(a, 16));
        const __m256i sAlpha = _mm256_or_si256(s, alphaByte);
        const __m256i mixed =
            _mm256_packus_epi16(Mix8(_mm256_unpacklo_epi8(sAlpha, zero),
                                     _mm256_unpacklo_epi8(d, zero), _mm256_unpacklo_epi32(a2, a2)),
                                Mix8(_mm256_unpackhi_epi8(sAlpha, zero),
                                     _mm256_unpackhi_epi8(d, zero), _mm256_unpackhi_epi32(a2, a2)));
        const __m256i taken =
            _mm256_or_si256(_mm256_and_si256(clear, d), _mm256_and_si256(solid, s));
        _mm256_storeu_si256(
            at, _mm256_or_si256(taken, _mm256_andnot_si256(_mm256_or_si256(clear, solid), mixed)));
    }
    return i;
}
#endif

// A row blended: each source pixel by its own alpha.
void BlendRow(const uint32_t* in, uint32_t* out, int width) {
    int i = 0;
#if defined(__x86_64__)
    if (HasAvx2()) {
        i = BlendRowAvx2(in, out, width);
    }
#endif
#if defined(__SSE2__)
    // Fast path: four pixels at a time by the same formula on 16-bit lanes (each product fits),
    // groups all transparent skipped, all opaque stored whole; what the eight-pixel steps left.
    const __m128i zero = _mm_setzero_si128();
    const __m128i full = _mm_set1_epi16(255);
    const __m128i alphaByte = _mm_set1_epi32(static_cast<int>(0xFF000000u));
    const __m128i opaqueAlpha = _mm_set1_epi32(255);
    for (; i + 4 <= width; i += 4) {
        const __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i));
        const __m128i a = _mm_srli_epi32(s, 24);
        const __m128i clear = _mm_cmpeq_epi32(a, zero);
        const __m128i solid = _mm_cmpeq_epi32(a, opaqueAlpha);
        if (_mm_movemask_epi8(clear) == 0xFFFF) {
            continue;
        }
        auto* at = reinterpret_cast<__m128i*>(out + i);
        if (_mm_movemask_epi8(solid) == 0xFFFF) {
            _mm_storeu_si128(at, s);
            continue;
        }
        const __m128i d = _mm_loadu_si128(at);
        const __m128i a2 = _mm_or_si128(a, _mm_slli_epi32(a, 16));
        const __m128i aLow = _mm_unpacklo_epi32(a2, a2);
        const __m128i aHigh = _mm_unpackhi_epi32(a2, a2);
        const __m128i sAlpha = _mm_or_si128(s, alphaByte); // the source's alpha counts as 255
        auto mix = [&](__m128i sw, __m128i dw, __m128i aw) {
            return _mm_add_epi16(_mm_srli_epi16(_mm_mullo_epi16(sw, aw), 8),
                                 _mm_srli_epi16(_mm_mullo_epi16(dw, _mm_sub_epi16(full, aw)), 8));
        };
        const __m128i mixed = _mm_packus_epi16(
            mix(_mm_unpacklo_epi8(sAlpha, zero), _mm_unpacklo_epi8(d, zero), aLow),
            mix(_mm_unpackhi_epi8(sAlpha, zero), _mm_unpackhi_epi8(d, zero), aHigh));
        const __m128i taken = _mm_or_si128(_mm_and_si128(clear, d), _mm_and_si128(solid, s));
        _mm_storeu_si128(at,
                         _mm_or_si128(taken, _mm_andnot_si128(_mm_or_si128(clear, solid), mixed)));
    }
#endif
    for (; i < width; ++i) {
        const uint32_t alpha = in[i] >> 24;
        if (alpha == 255) {
            out[i] = in[i];
        } else if (alpha != 0) {
            out[i] = Blend(in[i], out[i]);
        }
    }
}

// A row by SDL's general formula (its generated blitters'), texel by texel.
void TintedRow(const uint32_t* in, uint32_t* out, int width, TexelMix mix, const TexelTint& tint) {
    int i = 0;
#if defined(__SSE2__)
    // Fast path: four texels at a time, the same formula on 16-bit lanes, each division by 255
    // of a product of two bytes done as (x + 1 + (x >> 8)) >> 8, which is exact for every such
    // product. The premultiplying and the blending need no cases: alpha 255 multiplies by one,
    // alpha 0 leaves the picture's pixel as it was. Groups all transparent are skipped.
    const __m128i zero = _mm_setzero_si128();
    const __m128i one = _mm_set1_epi16(1);
    const __m128i full = _mm_set1_epi16(255);
    // Lanes of one pixel: blue, green, red, alpha.
    const __m128i colours = _mm_set_epi16(0, -1, -1, -1, 0, -1, -1, -1);
    const __m128i alphaFull = _mm_set_epi16(255, 0, 0, 0, 255, 0, 0, 0);
    const auto t = [](uint32_t v) { return static_cast<short>(v); };
    const __m128i tints = _mm_set_epi16(t(tint.alpha), t(tint.red), t(tint.green), t(tint.blue),
                                        t(tint.alpha), t(tint.red), t(tint.green), t(tint.blue));
    auto div255 = [&](__m128i x) {
        return _mm_srli_epi16(_mm_add_epi16(_mm_add_epi16(x, one), _mm_srli_epi16(x, 8)), 8);
    };
    // Two texels on 16-bit lanes over two picture pixels.
    auto pair = [&](__m128i texels, __m128i pixels) {
        const __m128i tinted = div255(_mm_mullo_epi16(texels, tints));
        if (mix == TexelMix::Copy) {
            return tinted;
        }
        const __m128i alpha = _mm_shufflehi_epi16(_mm_shufflelo_epi16(tinted, 0xFF), 0xFF);
        const __m128i premultiplied =
            div255(_mm_mullo_epi16(tinted, _mm_or_si128(_mm_and_si128(alpha, colours), alphaFull)));
        if (mix == TexelMix::Blend) {
            return _mm_add_epi16(premultiplied,
                                 div255(_mm_mullo_epi16(_mm_sub_epi16(full, alpha), pixels)));
        }
        const __m128i sum = _mm_min_epi16(_mm_add_epi16(premultiplied, pixels), full);
        return _mm_or_si128(_mm_and_si128(sum, colours), _mm_andnot_si128(colours, pixels));
    };
    for (; i + 4 <= width; i += 4) {
        const __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i));
        if (mix != TexelMix::Copy &&
            _mm_movemask_epi8(_mm_cmpeq_epi32(_mm_srli_epi32(s, 24), zero)) == 0xFFFF) {
            continue;
        }
        auto* at = reinterpret_cast<__m128i*>(out + i);
        const __m128i d = _mm_loadu_si128(at);
        _mm_storeu_si128(
            at, _mm_packus_epi16(pair(_mm_unpacklo_epi8(s, zero), _mm_unpacklo_epi8(d, zero)),
                                 pair(_mm_unpackhi_epi8(s, zero), _mm_unpackhi_epi8(d, zero))));
    }
#endif
    for (; i < width; ++i) {
        const uint32_t s = in[i];
        uint32_t alpha = (s >> 24) * tint.alpha / 255;
        if (alpha == 0 && mix != TexelMix::Copy) {
            continue; // adds nothing and takes nothing away
        }
        uint32_t red = (s >> 16 & 255) * tint.red / 255;
        uint32_t green = (s >> 8 & 255) * tint.green / 255;
        uint32_t blue = (s & 255) * tint.blue / 255;
        if (mix == TexelMix::Copy) {
            out[i] = alpha << 24 | red << 16 | green << 8 | blue;
            continue;
        }
        if (alpha < 255) {
            red = red * alpha / 255;
            green = green * alpha / 255;
            blue = blue * alpha / 255;
        }
        const uint32_t d = out[i];
        uint32_t dAlpha = d >> 24;
        uint32_t dRed = d >> 16 & 255;
        uint32_t dGreen = d >> 8 & 255;
        uint32_t dBlue = d & 255;
        if (mix == TexelMix::Blend) {
            const uint32_t keep = 255 - alpha;
            dRed = red + keep * dRed / 255;
            dGreen = green + keep * dGreen / 255;
            dBlue = blue + keep * dBlue / 255;
            dAlpha = alpha + keep * dAlpha / 255;
        } else {
            dRed = std::min(red + dRed, 255u);
            dGreen = std::min(green + dGreen, 255u);
            dBlue = std::min(blue + dBlue, 255u);
        }
        out[i] = dAlpha << 24 | dRed << 16 | dGreen << 8 | dBlue;
    }
}

#if defined(__SSE2__)
// Fast path: eight 16-bit pixels at a time on 16-bit lanes, the formulas of Widen5 and Widen6.
// Answers how many pixels of the row it did.
int WidenRow16(const uint16_t* in, uint32_t* out, int width, bool is565) {
    int x = 0;
    const __m128i five = _mm_set1_epi16(31);
    const __m128i scale = _mm_set1_epi16(1053);
    const __m128i alpha = _mm_set1_epi16(static_cast<short>(0xFF00));
    auto widen5 = [&](__m128i c) { return _mm_srli_epi16(_mm_mullo_epi16(c, scale), 7); };
    for (; x + 8 <= width; x += 8) {
        const __m128i p = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + x));
        const __m128i blue = widen5(_mm_and_si128(p, five));
        __m128i red;
        __m128i green;
        if (is565) {
            red = widen5(_mm_srli_epi16(p, 11));
            const __m128i g = _mm_and_si128(_mm_srli_epi16(p, 5), _mm_set1_epi16(63));
            // A true comparison is -1: subtracting it adds one.
            green = _mm_sub_epi16(
                _mm_sub_epi16(_mm_slli_epi16(g, 2), _mm_cmpgt_epi16(g, _mm_set1_epi16(23))),
                _mm_cmpgt_epi16(g, _mm_set1_epi16(47)));
        } else {
            red = widen5(_mm_and_si128(_mm_srli_epi16(p, 10), five));
            green = widen5(_mm_and_si128(_mm_srli_epi16(p, 5), five));
        }
        const __m128i low = _mm_or_si128(_mm_slli_epi16(green, 8), blue);
        const __m128i high = _mm_or_si128(alpha, red);
        auto* at = reinterpret_cast<__m128i*>(out + x);
        _mm_storeu_si128(at, _mm_unpacklo_epi16(low, high));
        _mm_storeu_si128(at + 1, _mm_unpackhi_epi16(low, high));
    }
    return x;
}

// Fast path: eight pixels at a time narrowed on 32-bit lanes and packed to 16 bits (the low
// halves, sign-extended so that the saturating pack keeps them). Answers how many it did.
int NarrowRow16(const uint32_t* in, uint16_t* out, int width, bool is565) {
    int x = 0;
    const int redShift = is565 ? 8 : 9;
    const int greenShift = is565 ? 5 : 6;
    const __m128i redMask = _mm_set1_epi32(is565 ? 0xF800 : 0x7C00);
    const __m128i greenMask = _mm_set1_epi32(is565 ? 0x07E0 : 0x03E0);
    const __m128i blueMask = _mm_set1_epi32(0x1F);
    auto narrow = [&](__m128i c) {
        const __m128i packed = _mm_or_si128(
            _mm_or_si128(_mm_and_si128(_mm_srl_epi32(c, _mm_cvtsi32_si128(redShift)), redMask),
                         _mm_and_si128(_mm_srl_epi32(c, _mm_cvtsi32_si128(greenShift)), greenMask)),
            _mm_and_si128(_mm_srli_epi32(c, 3), blueMask));
        return _mm_srai_epi32(_mm_slli_epi32(packed, 16), 16);
    };
    for (; x + 8 <= width; x += 8) {
        const __m128i first = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + x));
        const __m128i second = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + x + 4));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + x),
                         _mm_packs_epi32(narrow(first), narrow(second)));
    }
    return x;
}
#else
// Without SSE2 every pixel goes the plain way.
int WidenRow16(const uint16_t*, uint32_t*, int, bool) {
    return 0;
}
int NarrowRow16(const uint32_t*, uint16_t*, int, bool) {
    return 0;
}
#endif

} // namespace

bool SurfaceToPicture(const PixelRows& surface, uint32_t format, const PixelRows& picture) {
    if (format != SDL_PIXELFORMAT_RGB888 && format != SDL_PIXELFORMAT_RGB565 &&
        format != SDL_PIXELFORMAT_RGB555) {
        return false;
    }
    const int width = surface.width;
    for (int y = 0; y < surface.height; ++y) {
        uint32_t* out = RowOf<uint32_t>(picture, y);
        if (format == SDL_PIXELFORMAT_RGB888) {
            const uint32_t* in = RowOf<const uint32_t>(surface, y);
            for (int x = 0; x < width; ++x) {
                out[x] = in[x] | 0xFF000000u;
            }
            continue;
        }
        const uint16_t* in = RowOf<const uint16_t>(surface, y);
        const bool is565 = format == SDL_PIXELFORMAT_RGB565;
        for (int x = WidenRow16(in, out, width, is565); x < width; ++x) {
            const uint32_t p = in[x];
            out[x] = 0xFF000000u |
                     (is565 ? Widen5(p >> 11) << 16 | Widen6(p >> 5 & 63) << 8
                            : Widen5(p >> 10 & 31) << 16 | Widen5(p >> 5 & 31) << 8) |
                     Widen5(p & 31);
        }
    }
    return true;
}

bool PictureToSurface(const PixelRows& picture, const PixelRows& surface, uint32_t format) {
    if (format != SDL_PIXELFORMAT_RGB888 && format != SDL_PIXELFORMAT_RGB565 &&
        format != SDL_PIXELFORMAT_RGB555) {
        return false;
    }
    const int width = picture.width;
    for (int y = 0; y < picture.height; ++y) {
        const uint32_t* in = RowOf<const uint32_t>(picture, y);
        if (format == SDL_PIXELFORMAT_RGB888) {
            uint32_t* out = RowOf<uint32_t>(surface, y);
            for (int x = 0; x < width; ++x) {
                out[x] = in[x] & 0x00FFFFFFu;
            }
            continue;
        }
        uint16_t* out = RowOf<uint16_t>(surface, y);
        const bool is565 = format == SDL_PIXELFORMAT_RGB565;
        for (int x = NarrowRow16(in, out, width, is565); x < width; ++x) {
            const uint32_t c = in[x];
            out[x] = static_cast<uint16_t>(
                is565 ? (c >> 8 & 0xF800) | (c >> 5 & 0x07E0) | (c >> 3 & 0x1F)
                      : (c >> 9 & 0x7C00) | (c >> 6 & 0x03E0) | (c >> 3 & 0x1F));
        }
    }
    return true;
}

void CopyTexels(const PixelRows& texture, int sx, int sy, int width, int height,
                const PixelRows& picture, int x, int y, TexelMix mix, const TexelTint& tint) {
    // Kept to the picture, the source rectangle moving with each cut.
    if (x < 0) {
        width += x;
        sx -= x;
        x = 0;
    }
    if (y < 0) {
        height += y;
        sy -= y;
        y = 0;
    }
    width = std::min(width, picture.width - x);
    height = std::min(height, picture.height - y);
    if (width <= 0 || height <= 0) {
        return;
    }
    const bool untinted =
        tint.red == 255 && tint.green == 255 && tint.blue == 255 && tint.alpha == 255;
    for (int row = 0; row < height; ++row) {
        const uint32_t* in = RowOf<const uint32_t>(texture, sy + row) + sx;
        uint32_t* out = RowOf<uint32_t>(picture, y + row) + x;
        if (untinted && mix == TexelMix::Copy) {
            std::memcpy(out, in, static_cast<size_t>(width) * 4);
        } else if (untinted && mix == TexelMix::Blend) {
            BlendRow(in, out, width);
        } else {
            TintedRow(in, out, width, mix, tint);
        }
    }
}

} // namespace Vuro::Platform
