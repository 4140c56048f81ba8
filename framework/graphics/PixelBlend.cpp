#include "framework/graphics/PixelBlend.h"

namespace Vuro::Blend {

namespace {

BlendTables BuildTables() {
    BlendTables t{};
    for (uint32_t a = 0; a < 256; ++a) {
        for (uint32_t b = 0; b < 256; ++b) {
            const uint32_t index = a * 256 + b;
            t.mMulDiv255[index] = static_cast<uint8_t>(a * b / 255);
            if (b != 0) {
                t.mNewAlpha[index] = static_cast<uint8_t>(NewAlphaRef(a, b));
                t.mFactor[index] = static_cast<uint8_t>(FactorRef(a, b));
            } else {
                t.mNewAlpha[index] = static_cast<uint8_t>(a);
            }
        }
    }
    return t;
}

} // namespace

const BlendTables& GetBlendTables() {
    static const BlendTables tables = BuildTables();
    return tables;
}

} // namespace Vuro::Blend
