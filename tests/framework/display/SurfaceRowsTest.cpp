// The kernels of 32-bit surfaces of the 8-8-8 layout against the per-pixel formulas, in both
// kernel forms: every alpha with every pair of destination and source channel values (each
// channel of the destination through all 256 values, each of the premultiplied native word
// through all values up to its alpha, against all of the other's), the destination's top byte
// varied, in rectangles of rows of whole groups and a tail (61 pixels), of whole groups (32) and
// of a tail alone (7), whose words beyond the rows must stay as they are.

#include "framework/display/SurfaceRows.h"

#include "framework/display/SurfaceFormulas.h"
#include "support/KernelForms.h"
#include "support/KernelRowsCheck.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace Vuro::Test {
namespace {

// The 8-8-8 layout as the formulas read it, with its clamp tables.
struct Surface32 {
    Surface32() {
        s.mBitCount = 32;
        for (int c = 0; c < 3; ++c) {
            s.mShift[c] = 16 - 8 * c;
            s.mMask[c] = 0xFFu << s.mShift[c];
            s.mChannelBits[c] = 8;
            for (uint32_t i = 0; i < tables[c].size(); ++i) {
                tables[c][i] = i < 255 ? i : 255;
            }
            s.mTable[c] = tables[c].data();
        }
    }
    SurfacePixels s;
    std::array<std::array<uint32_t, 512>, 3> tables{};
};

// Channels of d from v (red and blue offset, so that they differ from green), each modulo
// `range`.
uint32_t Channels(uint32_t v, uint32_t offset, uint32_t range) {
    return (((v + offset) % range) << 16) | ((v % range) << 8) | ((v + 2 * offset) % range);
}

// The alpha runs slowest so that groups of one class (all 0, all 255) and mixed ones all occur.
KernelPairs<uint32_t> EveryAlphaAndChannelPair() {
    KernelPairs<uint32_t> pairs;
    for (uint32_t a = 0; a < 256; ++a) {
        for (uint32_t d = 0; d < 256; ++d) {
            for (uint32_t p = 0; p <= a; ++p) {
                pairs.mDest.push_back(((d * 13 + a) & 255) << 24 | Channels(d, 7, 256));
                pairs.mNative.push_back(a << 24 | Channels(p, 3 * a + 1, a + 1));
            }
        }
    }
    return pairs;
}

class SurfaceRowsTest : public KernelFormTest {
protected:
    const Surface32 surface;
    const SurfacePixels& s = surface.s;
    const KernelPairs<uint32_t> pairs = EveryAlphaAndChannelPair();
};

// Tints with channels at both ends and between, each with a colour alpha (255 takes the opaque
// runs' own formula); the rows' tails differ between them. The additive blit runs white with
// the colour alpha 1.
const struct TintCase {
    uint32_t tint[3];
    uint32_t colourAlpha;
    int width;
} kTints[] = {{{255, 128, 0}, 255, 61}, {{17, 254, 200}, 200, 7}, {{0, 1, 255}, 1, 32}};

TEST_P(SurfaceRowsTest, UntintedAndAdditiveBlitsMatchTheFormulas) {
    // The run walk of the untinted blit: alpha 0 skipped, 255 copied, others blended.
    ExpectKernel(
        pairs, 61, [](const NativeRows& rows) { SurfaceRows::OverRows(rows); },
        [this](uint32_t d, uint32_t p) {
            const uint32_t a = p >> 24;
            return a == 0 ? d : (a == 255 ? p : SurfaceFormulas::Blend(s, d, p));
        });
    const uint32_t white[3] = {255, 255, 255};
    for (const TintCase& c : kTints) {
        const bool whiteAdd = c.colourAlpha == 1;
        const uint32_t(&t)[3] = whiteAdd ? white : c.tint;
        ExpectKernel(
            pairs, c.width,
            [&](const NativeRows& rows) { SurfaceRows::AddRows(rows, t, whiteAdd); },
            [&](uint32_t d, uint32_t p) {
                return (p & 0xFFFFFF) == 0 ? d : SurfaceFormulas::Added(s, d, p, whiteAdd, t);
            });
    }
}

TEST_P(SurfaceRowsTest, TintedBlitsMatchTheFormula) {
    for (const TintCase& c : kTints) {
        ExpectKernel(
            pairs, c.width,
            [&c](const NativeRows& rows) { SurfaceRows::TintedRows(rows, c.tint, c.colourAlpha); },
            [this, &c](uint32_t d, uint32_t p) {
                const uint32_t a = p >> 24;
                return a == 0 ? d
                              : SurfaceFormulas::Tinted(s, d, p, c.tint, c.colourAlpha,
                                                        a == 255 && c.colourAlpha == 255);
            });
    }
}

VURO_INSTANTIATE_KERNEL_FORMS(SurfaceRowsTest);

} // namespace
} // namespace Vuro::Test
