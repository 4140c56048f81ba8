#include "framework/graphics/SWTri.h"

#include "PixelTestHelpers.h"

#include "support/KernelForms.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace Vuro {
namespace {

// What the rasteriser writes pixel by pixel for a fetch on the texel's centre.
uint32_t Reference(uint32_t d, uint32_t texel, bool composite, bool destAlpha) {
    const uint32_t s = SWTriTexelBilinear(&texel, 1, 1, 0x8000, 0x8000);
    if (composite) {
        return destAlpha ? SWTriWrite<true, true>(d, s) : SWTriWrite<true, false>(d, s);
    }
    return destAlpha ? SWTriWrite<false, true>(d, s) : SWTriWrite<false, false>(d, s);
}

// Every case runs in both kernel forms.
class SWTriTexelSpanTest : public Test::KernelFormTest {};

// Every texel alpha and channel value over every destination channel value on an opaque
// destination with an alpha byte (the 16-bit lane path, which 0x888 shares), and over a spread of
// destination values and alphas in every mode (the per-pixel path); the span length 1021 leaves a
// tail after the groups.
TEST_P(SWTriTexelSpanTest, MatchesTheFetchAndWriteForEveryTexelAndDestinationValue) {
    std::vector<uint32_t> texels;
    for (uint32_t a = 0; a < 256; ++a) {
        for (uint32_t c = 0; c < 256; ++c) {
            texels.push_back((a << 24) | (c << 16) | ((255 - c) << 8) | (c ^ 0x5A));
        }
    }
    std::vector<uint32_t> dest(texels.size());
    std::vector<uint32_t> out(texels.size());
    for (const bool composite : {true, false}) {
        for (const bool destAlpha : {true, false}) {
            for (const bool opaque : {true, false}) {
                const uint32_t step = composite && destAlpha && opaque ? 1 : 17;
                for (uint32_t dc = 0; dc < 256; dc += step) {
                    for (size_t i = 0; i < dest.size(); ++i) {
                        const uint32_t da = opaque ? 255 : static_cast<uint32_t>(i * 7 + dc) & 0xFF;
                        dest[i] = (da << 24) | (dc << 16) | (((dc * 3) & 0xFF) << 8) | (255 - dc);
                    }
                    out = dest;
                    for (size_t start = 0; start < out.size(); start += 1021) {
                        const int count =
                            static_cast<int>(std::min<size_t>(1021, out.size() - start));
                        SWTriTexelSpan(out.data() + start, texels.data() + start, count, composite,
                                       destAlpha);
                    }
                    for (size_t i = 0; i < out.size(); ++i) {
                        ASSERT_EQ(out[i], Reference(dest[i], texels[i], composite, destAlpha))
                            << std::hex << dest[i] << " " << texels[i] << " composite " << composite
                            << " destAlpha " << destAlpha;
                    }
                }
            }
        }
    }
}

// Runs of clear, opaque and partial texels over destinations opaque in some runs and not in
// others, in every span length up to a few groups: groups of one class and of several, and
// every length of the span's last part.
TEST_P(SWTriTexelSpanTest, MixedRunsInEverySpanLength) {
    const Testing::AlphaRuns runs = Testing::RandomAlphaRuns(4096, 2);
    const std::vector<uint32_t>& texels = runs.mSource;
    const std::vector<uint32_t>& dest = runs.mDest;
    std::vector<uint32_t> out;
    for (const bool composite : {true, false}) {
        for (const bool destAlpha : {true, false}) {
            for (int piece = 1; piece <= 40; ++piece) {
                out = dest;
                for (size_t start = 0; start < out.size(); start += piece) {
                    const int count = static_cast<int>(std::min<size_t>(piece, out.size() - start));
                    SWTriTexelSpan(out.data() + start, texels.data() + start, count, composite,
                                   destAlpha);
                }
                for (size_t i = 0; i < out.size(); ++i) {
                    ASSERT_EQ(out[i], Reference(dest[i], texels[i], composite, destAlpha))
                        << std::hex << dest[i] << " " << texels[i] << " composite " << composite
                        << " destAlpha " << destAlpha << " piece " << std::dec << piece;
                }
            }
        }
    }
}

VURO_INSTANTIATE_KERNEL_FORMS(SWTriTexelSpanTest);

} // namespace
} // namespace Vuro
