// The 16-bit kernels against the per-pixel formulas, in both layouts and both kernel forms:
// every alpha with every pair of destination and source channel values (each channel of the
// destination and of the native word runs through all its values against all of the other's),
// in rectangles of rows of whole groups and a tail (61 pixels), of whole groups (32) and of a
// tail alone (7), whose words beyond the rows must stay as they are.

#include "framework/display/SurfaceRows16.h"

#include "framework/display/SurfaceFormulas.h"
#include "support/KernelForms.h"
#include "support/KernelRowsCheck.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace Vuro::Test {
namespace {

using SurfaceRows16::Layout;

// A 16-bit surface's layout as the formulas read it, with its clamp tables.
struct Surface16 {
    explicit Surface16(Layout layout) {
        const int greenBits = layout == Layout::Rgb565 ? 6 : 5;
        const int bits[3] = {5, greenBits, 5};
        const int shifts[3] = {layout == Layout::Rgb565 ? 11 : 10, 5, 0};
        s.mBitCount = 16;
        for (int c = 0; c < 3; ++c) {
            const uint32_t max = (1u << bits[c]) - 1;
            s.mMask[c] = max << shifts[c];
            s.mShift[c] = shifts[c];
            s.mChannelBits[c] = bits[c];
            for (uint32_t i = 0; i < tables[c].size(); ++i) {
                tables[c][i] = i < max ? i : max;
            }
            s.mTable[c] = tables[c].data();
        }
    }
    // A word whose channels are v modulo each channel's range (red and blue from v + offset).
    uint16_t Word(uint32_t v, uint32_t offset = 0) const {
        uint32_t w = 0;
        for (int c = 0; c < 3; ++c) {
            const uint32_t max = s.mMask[c] >> s.mShift[c];
            w |= ((c == 1 ? v : v + offset) % (max + 1)) << s.mShift[c];
        }
        return static_cast<uint16_t>(w);
    }

    SurfacePixels s;
    std::array<std::array<uint32_t, 128>, 3> tables{};
};

// Destination words and native words of every (alpha, destination value, source value): the
// alpha runs slowest so that groups of one class (all 0, all 255) and mixed ones all occur.
KernelPairs<uint16_t> EveryAlphaAndChannelPair(const Surface16& surface) {
    KernelPairs<uint16_t> pairs;
    for (uint32_t a = 0; a < 256; ++a) {
        for (uint32_t d = 0; d < 64; ++d) {
            for (uint32_t p = 0; p < 64; ++p) {
                pairs.mDest.push_back(surface.Word(d, 7));
                pairs.mNative.push_back((a << 24) | surface.Word(p, 3 * a));
            }
        }
    }
    return pairs;
}

class SurfaceRows16Test : public KernelFormTest {};

const Layout kLayouts[] = {Layout::Rgb565, Layout::Rgb555};

TEST_P(SurfaceRows16Test, UntintedBlitsAndCopiesMatchTheFormula) {
    for (const Layout layout : kLayouts) {
        const Surface16 surface(layout);
        const KernelPairs<uint16_t> pairs = EveryAlphaAndChannelPair(surface);
        const SurfacePixels& s = surface.s;
        // The run walk: alpha 0 skipped, 255 copied, others blended.
        ExpectKernel(
            pairs, 61, [layout](const auto& rows) { SurfaceRows16::Over(layout, rows); },
            [&s](uint32_t d, uint32_t p) {
                const uint32_t a = p >> 24;
                return a == 0 ? d : (a == 255 ? p : SurfaceFormulas::Blend(s, d, p));
            });
        for (const bool skip : {false, true}) {
            ExpectKernel(
                pairs, skip ? 7 : 32, [skip](const auto& rows) { SurfaceRows16::Copy(rows, skip); },
                [skip](uint32_t d, uint32_t p) { return skip && (p >> 24) == 0 ? d : p; });
        }
    }
}

TEST_P(SurfaceRows16Test, TintedAndAdditiveBlitsMatchTheFormula) {
    // Tints with channels at both ends and between, each with a colour alpha (255 takes the
    // opaque runs' own formula); the rows' tails differ between them.
    const struct {
        uint32_t tint[3];
        uint32_t colourAlpha;
        int width;
    } cases[] = {{{255, 128, 0}, 255, 61}, {{17, 254, 200}, 200, 7}, {{0, 1, 255}, 1, 32}};
    const uint32_t white[3] = {255, 255, 255};
    for (const Layout layout : kLayouts) {
        const Surface16 surface(layout);
        const KernelPairs<uint16_t> pairs = EveryAlphaAndChannelPair(surface);
        const SurfacePixels& s = surface.s;
        for (const auto& c : cases) {
            ExpectKernel(
                pairs, c.width,
                [&](const auto& rows) {
                    SurfaceRows16::Tinted(layout, rows, c.tint, c.colourAlpha);
                },
                [&](uint32_t d, uint32_t p) {
                    const uint32_t a = p >> 24;
                    return a == 0 ? d
                                  : SurfaceFormulas::Tinted(s, d, p, c.tint, c.colourAlpha,
                                                            a == 255 && c.colourAlpha == 255);
                });
            const bool whiteAdd = c.colourAlpha == 1;
            const uint32_t(&t)[3] = whiteAdd ? white : c.tint;
            ExpectKernel(
                pairs, c.width,
                [&](const auto& rows) { SurfaceRows16::Add(layout, rows, whiteAdd, t); },
                [&](uint32_t d, uint32_t p) {
                    return (p & 0xFFFFFF) == 0 ? d : SurfaceFormulas::Added(s, d, p, whiteAdd, t);
                });
        }
    }
}

// Every destination word under every fill alpha, with colours of every channel value.
TEST_P(SurfaceRows16Test, TranslucentFillMatchesTheFormula) {
    for (const Layout layout : kLayouts) {
        const Surface16 surface(layout);
        std::vector<uint16_t> dest(65536);
        for (uint32_t v = 0; v < dest.size(); ++v) {
            dest[v] = static_cast<uint16_t>(v);
        }
        std::vector<uint16_t> filled;
        for (uint32_t keep = 1; keep <= 256; ++keep) {
            const uint16_t colour = surface.Word(keep * 5, keep);
            filled = dest;
            // Rows of 253 words, the last one short.
            SurfaceRows16::FadeFill(layout, reinterpret_cast<uint8_t*>(filled.data()), 253 * 2, 253,
                                    static_cast<int>(dest.size() / 253), colour, keep);
            const size_t covered = dest.size() / 253 * 253;
            for (size_t i = 0; i < dest.size(); ++i) {
                const uint16_t want = i < covered ? static_cast<uint16_t>(SurfaceFormulas::FadeFill(
                                                        surface.s, dest[i], colour, keep))
                                                  : dest[i];
                ASSERT_EQ(filled[i], want) << std::hex << dest[i] << " keep " << std::dec << keep;
            }
        }
    }
}

VURO_INSTANTIATE_KERNEL_FORMS(SurfaceRows16Test);

} // namespace
} // namespace Vuro::Test
