#include "framework/graphics/BlitRows.h"

namespace Vuro::Blend {

namespace {

// Fast path: x / 255 for 0 <= x < 65535 without a division.
inline uint32_t DivideBy255(uint32_t x) {
    return (x + 1 + (x >> 8)) >> 8;
}

// Fast path: 255 * sa / newAlpha through a float division. Both operands are exact in a float
// and the true quotient (at most 255) is never within a float's rounding of the next whole
// number, so truncating the float quotient gives the integer quotient (checked for every
// alpha pair by the tests). newAlpha 0 (only with sa 0, whose result is discarded) divides by 1.
inline uint32_t Factor(uint32_t sa, uint32_t newAlpha) {
    const float divisor = static_cast<float>(newAlpha | (newAlpha == 0));
    return static_cast<uint32_t>(static_cast<int32_t>(static_cast<float>(255 * sa) / divisor));
}

// a when take is set, else b; written with masks so that no branch keeps the loop scalar.
inline uint32_t Select(bool take, uint32_t a, uint32_t b) {
    const uint32_t mask = 0u - static_cast<uint32_t>(take);
    return (a & mask) | (b & ~mask);
}

inline uint32_t NormalPixel(uint32_t d, uint32_t s, uint32_t sa) {
    const uint32_t da = d >> 24;
    const uint32_t newAlpha = da + DivideBy255((255 - da) * sa);
    const uint32_t result = (newAlpha << 24) | MixFields(d, s, Factor(sa, newAlpha));
    return Select(sa != 0, result, d);
}

// Builds each kernel for AVX2 as well as for the baseline; the loader picks one once.
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
#define VURO_ROW_KERNEL __attribute__((target_clones("avx2", "default")))
#else
#define VURO_ROW_KERNEL
#endif

} // namespace

VURO_ROW_KERNEL
void NormalRow(uint32_t* out, const uint32_t* src, int count) {
    for (int i = 0; i < count; ++i) {
        out[i] = NormalPixel(out[i], src[i], src[i] >> 24);
    }
}

VURO_ROW_KERNEL
void NormalFillRow(uint32_t* out, uint32_t colour, int count) {
    const uint32_t sa = colour >> 24;
    for (int i = 0; i < count; ++i) {
        out[i] = NormalPixel(out[i], colour, sa);
    }
}

VURO_ROW_KERNEL
void OpaqueRow(uint32_t* out, const uint32_t* src, int count) {
    for (int i = 0; i < count; ++i) {
        out[i] = 0xFF000000u | MixFields(out[i], src[i], src[i] >> 24);
    }
}

VURO_ROW_KERNEL
void TintedRow(uint32_t* out, const uint32_t* src, int count, const Color& c) {
    const uint32_t ca = static_cast<uint32_t>(c.mAlpha);
    const uint32_t cr = static_cast<uint32_t>(c.mRed);
    const uint32_t cg = static_cast<uint32_t>(c.mGreen);
    const uint32_t cb = static_cast<uint32_t>(c.mBlue);
    for (int i = 0; i < count; ++i) {
        const uint32_t d = out[i];
        const uint32_t s = src[i];
        const uint32_t sa = DivideBy255((s >> 24) * ca);
        const uint32_t da = d >> 24;
        const uint32_t newAlpha = da + DivideBy255((255 - da) * sa);
        const uint32_t f = Factor(sa, newAlpha);
        const uint32_t g = 256 - f;
        const uint32_t red =
            ((((s & 0xFF0000) * f >> 8) * cr >> 8) + ((d & 0xFF0000) * g >> 8)) & 0xFF0000;
        const uint32_t green = (((s & 0xFF00) * f * cg >> 16) + ((d & 0xFF00) * g >> 8)) & 0xFF00;
        const uint32_t blue = (((s & 0xFF) * f * cb >> 16) + ((d & 0xFF) * g >> 8)) & 0xFF;
        const uint32_t result = (newAlpha << 24) | red | green | blue;
        out[i] = Select(sa != 0, result, d);
    }
}

namespace {

template <AdditiveForm Form>
VURO_ROW_KERNEL void AdditiveRowOf(uint32_t* out, const uint32_t* src, int count,
                                   const uint32_t (&m)[3]) {
    const uint32_t mr = m[0];
    const uint32_t mg = m[1];
    const uint32_t mb = m[2];
    for (int i = 0; i < count; ++i) {
        const uint32_t d = out[i];
        const uint32_t s = src[i];
        const uint32_t alpha = s >> 24;
        uint32_t r = (s >> 16) & 0xFF;
        uint32_t g = (s >> 8) & 0xFF;
        uint32_t b = s & 0xFF;
        if constexpr (Form == AdditiveForm::WhiteAlpha) {
            r = r * alpha >> 8;
            g = g * alpha >> 8;
            b = b * alpha >> 8;
        } else if constexpr (Form == AdditiveForm::Tinted) {
            r = r * mr >> 8;
            g = g * mg >> 8;
            b = b * mb >> 8;
        } else if constexpr (Form == AdditiveForm::TintedAlpha) {
            r = r * mr * alpha >> 16;
            g = g * mg * alpha >> 16;
            b = (b * mb >> 8) * alpha >> 8;
        }
        r += (d >> 16) & 0xFF;
        g += (d >> 8) & 0xFF;
        b += d & 0xFF;
        // Fast path: the saturation table holds min(i, 255), so min() is the same lookup.
        r = r < 255 ? r : 255;
        g = g < 255 ? g : 255;
        b = b < 255 ? b : 255;
        out[i] = (d & 0xFF000000) | (r << 16) | (g << 8) | b;
    }
}

// Fast path: the untinted form is a saturating add of the colour bytes, done on all three at
// once: the low seven bits of each byte are added without carries between bytes, the top bits
// put back with an exclusive or, and every byte that carried out is set to 0xFF. The source's
// alpha byte is masked to 0, so the destination's alpha stays.
VURO_ROW_KERNEL
void AdditiveWhiteRow(uint32_t* out, const uint32_t* src, int count) {
    for (int i = 0; i < count; ++i) {
        const uint32_t d = out[i];
        const uint32_t s = src[i] & 0xFFFFFF;
        const uint32_t sum = ((d & 0x7F7F7F7F) + (s & 0x7F7F7F7F)) ^ ((d ^ s) & 0x80808080);
        const uint32_t carried = (((d & s) | ((d | s) & ~sum)) & 0x80808080) >> 7;
        out[i] = sum | ((carried << 8) - carried);
    }
}

} // namespace

void AdditiveRow(AdditiveForm form, uint32_t* out, const uint32_t* src, int count,
                 const uint32_t (&m)[3]) {
    switch (form) {
    case AdditiveForm::White:
        AdditiveWhiteRow(out, src, count);
        break;
    case AdditiveForm::WhiteAlpha:
        AdditiveRowOf<AdditiveForm::WhiteAlpha>(out, src, count, m);
        break;
    case AdditiveForm::Tinted:
        AdditiveRowOf<AdditiveForm::Tinted>(out, src, count, m);
        break;
    case AdditiveForm::TintedAlpha:
        AdditiveRowOf<AdditiveForm::TintedAlpha>(out, src, count, m);
        break;
    }
}

} // namespace Vuro::Blend
