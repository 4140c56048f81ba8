#include "platform/sdl/SdlScenePixels.h"

#include <SDL.h>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

namespace Vuro::Platform {

namespace {

// Every 16-bit pixel of the format in ARGB8888, as SDL converts it (its 5-6-5 table rounds
// green its own way, so the table is SDL's rather than a formula); null when SDL would not.
std::unique_ptr<uint32_t[]> MakeWideningTable(uint32_t format) {
    std::vector<uint16_t> every(65536);
    for (uint32_t i = 0; i < every.size(); ++i) {
        every[i] = static_cast<uint16_t>(i);
    }
    auto table = std::make_unique<uint32_t[]>(65536);
    if (SDL_ConvertPixels(256, 256, format, every.data(), 512, SDL_PIXELFORMAT_ARGB8888,
                          table.get(), 1024) != 0) {
        return nullptr;
    }
    return table;
}

const uint32_t* WideningTable(uint32_t format) {
    static const std::unique_ptr<uint32_t[]> table565 = MakeWideningTable(SDL_PIXELFORMAT_RGB565);
    static const std::unique_ptr<uint32_t[]> table555 = MakeWideningTable(SDL_PIXELFORMAT_RGB555);
    return format == SDL_PIXELFORMAT_RGB565 ? table565.get() : table555.get();
}

template <typename Pixel> Pixel* RowOf(const PixelRows& rows, int y) {
    return reinterpret_cast<Pixel*>(static_cast<uint8_t*>(rows.pixels) +
                                    static_cast<size_t>(y) * rows.pitch);
}

uint32_t Narrow(uint32_t c, uint32_t format) {
    if (format == SDL_PIXELFORMAT_RGB565) {
        return (c >> 8 & 0xF800) | (c >> 5 & 0x07E0) | (c >> 3 & 0x1F);
    }
    return (c >> 9 & 0x7C00) | (c >> 6 & 0x03E0) | (c >> 3 & 0x1F);
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

// A row blended: each source pixel by its own alpha.
void BlendRow(const uint32_t* in, uint32_t* out, int width) {
    int i = 0;
#if defined(__SSE2__)
    // Fast path: four pixels at a time by the same formula on 16-bit lanes (each product fits),
    // groups all transparent skipped, all opaque stored whole.
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
    for (int i = 0; i < width; ++i) {
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

} // namespace

bool SurfaceToPicture(const PixelRows& surface, uint32_t format, const PixelRows& picture) {
    const uint32_t* table = nullptr;
    if (format == SDL_PIXELFORMAT_RGB565 || format == SDL_PIXELFORMAT_RGB555) {
        table = WideningTable(format);
        if (table == nullptr) {
            return false;
        }
    } else if (format != SDL_PIXELFORMAT_RGB888) {
        return false;
    }
    const int width = surface.width;
    for (int y = 0; y < surface.height; ++y) {
        uint32_t* out = RowOf<uint32_t>(picture, y);
        if (table == nullptr) {
            const uint32_t* in = RowOf<const uint32_t>(surface, y);
            for (int x = 0; x < width; ++x) {
                out[x] = in[x] | 0xFF000000u;
            }
        } else {
            const uint16_t* in = RowOf<const uint16_t>(surface, y);
            for (int x = 0; x < width; ++x) {
                out[x] = table[in[x]];
            }
        }
    }
    return true;
}

bool PictureToSurface(const PixelRows& picture, const PixelRows& surface, uint32_t format) {
    const bool narrow = format == SDL_PIXELFORMAT_RGB565 || format == SDL_PIXELFORMAT_RGB555;
    if (!narrow && format != SDL_PIXELFORMAT_RGB888) {
        return false;
    }
    const int width = picture.width;
    for (int y = 0; y < picture.height; ++y) {
        const uint32_t* in = RowOf<const uint32_t>(picture, y);
        if (narrow) {
            uint16_t* out = RowOf<uint16_t>(surface, y);
            for (int x = 0; x < width; ++x) {
                out[x] = static_cast<uint16_t>(Narrow(in[x], format));
            }
        } else {
            uint32_t* out = RowOf<uint32_t>(surface, y);
            for (int x = 0; x < width; ++x) {
                out[x] = in[x] & 0x00FFFFFFu;
            }
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
