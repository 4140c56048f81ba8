#pragma once
// Per-pixel arithmetic of the software blitters on packed 0xAARRGGBB words.
//
// Index:
//   [SECTION] Reference formulas: the compositing rules exactly as they are, written plainly,
//             divisions included. They define every blitter's output.
//   [SECTION] Fast forms: pieces of the row kernels (BlitRows.h), which tests check against
//             the reference over every alpha pair.
//
// Conventions: d is the destination word, s the source word, sa a source alpha 1..255. A
// "field" is a channel left in its place in the word; the formulas multiply and shift
// whole fields and mask afterwards, so red and green keep the carry of the sum while blue
// truncates each term on its own. All of this is unsigned 32-bit arithmetic and never
// overflows for channel values in 0..255.

#include "framework/graphics/Color.h"

#include <array>
#include <cstdint>
#include <initializer_list>

namespace Vuro::Blend {

// [SECTION] Reference formulas

// The alpha of normal compositing: da + (255 - da) * sa / 255.
inline uint32_t NewAlphaRef(uint32_t da, uint32_t sa) {
    return da + (255 - da) * sa / 255;
}

// The weight of the source in normal compositing: 255 * sa / newAlpha.
inline uint32_t FactorRef(uint32_t da, uint32_t sa) {
    return 255 * sa / NewAlphaRef(da, sa);
}

// Each colour field becomes (d_field * (256 - f) >> 8) + (s_field * f >> 8), masked.
inline uint32_t MixFieldsRef(uint32_t d, uint32_t s, uint32_t f) {
    uint32_t out = 0;
    for (const uint32_t mask : {0xFF0000u, 0xFF00u, 0xFFu}) {
        out |= (((d & mask) * (256 - f) >> 8) + ((s & mask) * f >> 8)) & mask;
    }
    return out;
}

// Normal compositing of s with alpha sa over any destination; sa 0 leaves d.
inline uint32_t NormalRef(uint32_t d, uint32_t s, uint32_t sa) {
    if (sa == 0) {
        return d;
    }
    const uint32_t da = d >> 24;
    return (NewAlphaRef(da, sa) << 24) | MixFieldsRef(d, s, FactorRef(da, sa));
}

// Compositing onto a destination known to be opaque: the weight is sa itself, alpha 255.
inline uint32_t OpaqueRef(uint32_t d, uint32_t s, uint32_t sa) {
    return 0xFF000000u | MixFieldsRef(d, s, sa);
}

// Tinted normal blit with a clamped colour c: sa = s.alpha * c.alpha / 255.
inline uint32_t TintedRef(uint32_t d, uint32_t s, const Color& c) {
    const uint32_t sa = (s >> 24) * static_cast<uint32_t>(c.mAlpha) / 255;
    if (sa == 0) {
        return d;
    }
    const uint32_t da = d >> 24;
    const uint32_t f = FactorRef(da, sa);
    const uint32_t red = ((((s & 0xFF0000) * f >> 8) * static_cast<uint32_t>(c.mRed) >> 8) +
                          ((d & 0xFF0000) * (256 - f) >> 8)) &
                         0xFF0000;
    const uint32_t green = (((s & 0xFF00) * f * static_cast<uint32_t>(c.mGreen) >> 16) +
                            ((d & 0xFF00) * (256 - f) >> 8)) &
                           0xFF00;
    const uint32_t blue =
        (((s & 0xFF) * f * static_cast<uint32_t>(c.mBlue) >> 16) + ((d & 0xFF) * (256 - f) >> 8)) &
        0xFF;
    return (NewAlphaRef(da, sa) << 24) | red | green | blue;
}

// Additive blit: each channel becomes table[d + x], the destination alpha stays. White is the
// untinted form; srcHasAlpha selects the alpha-weighted form (by the image's flag, not by the
// pixel, so alpha-0 pixels of an image without partial alpha still add their colour).
inline uint32_t AdditiveRef(uint32_t d, uint32_t s, const Color& c, bool srcHasAlpha,
                            const uint8_t* table) {
    const bool white = c == Color::White;
    const uint32_t alpha = s >> 24;
    const uint32_t m[3] = {static_cast<uint32_t>(c.mRed * c.mAlpha / 255),
                           static_cast<uint32_t>(c.mGreen * c.mAlpha / 255),
                           static_cast<uint32_t>(c.mBlue * c.mAlpha / 255)};
    uint32_t out = d & 0xFF000000;
    for (int i = 0; i < 3; ++i) {
        const int shift = 16 - 8 * i;
        const uint32_t sc = (s >> shift) & 0xFF;
        const uint32_t dc = (d >> shift) & 0xFF;
        uint32_t x;
        if (white) {
            x = srcHasAlpha ? sc * alpha >> 8 : sc;
        } else if (!srcHasAlpha) {
            x = sc * m[i] >> 8;
        } else if (i < 2) {
            x = sc * m[i] * alpha >> 16;
        } else {
            x = (sc * m[i] >> 8) * alpha >> 8;
        }
        out |= static_cast<uint32_t>(table[dc + x]) << shift;
    }
    return out;
}

// [SECTION] Fast forms

// The four forms of AdditiveRef, chosen once per blit.
enum class AdditiveForm { White, WhiteAlpha, Tinted, TintedAlpha };

// MixFieldsRef. Fast path: red and blue fields are multiplied together in one word. Their
// products stay below 2^16 each, so nothing carries between them; red keeps the carry of the
// sum (as the field formula does) and blue adds its two truncated terms (as it does too).
// Word is a 32-bit word or a compiler vector of them (the row kernels' groups, into which it is
// always inlined, so the vector calling convention the warning is about never applies).
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wpsabi"
template <typename Word> [[gnu::always_inline]] inline Word MixFields(Word d, Word s, Word f) {
    const Word g = 256 - f;
    const Word rbD = (d & 0xFF00FF) * g;
    const Word rbS = (s & 0xFF00FF) * f;
    const Word red = ((rbD + rbS) >> 8) & 0xFF0000;
    const Word blue = ((rbD >> 8) & 0xFF) + ((rbS >> 8) & 0xFF);
    const Word green = (((d & 0xFF00) * g + (s & 0xFF00) * f) >> 8) & 0xFF00;
    return red | green | blue;
}
#pragma GCC diagnostic pop

// [SECTION] Tables

// Saturating sum of two channel values: entry i is min(i, 255).
inline constexpr std::array<uint8_t, 512> kAdd8BitMaxTable = [] {
    std::array<uint8_t, 512> table{};
    for (int i = 0; i < 512; ++i) {
        table[i] = static_cast<uint8_t>(i < 256 ? i : 255);
    }
    return table;
}();

} // namespace Vuro::Blend
