#include "framework/graphics/SpriteRows.h"

#include "framework/graphics/BlitLanes.h"
#include "framework/graphics/PixelBlend.h"

namespace Vuro::Blend {

using namespace Simd;

// Groups wholly transparent or wholly opaque (a sprite's border and its body) are skipped or
// copied without reading the destination; the others are mixed and the two classes put back.
VURO_ROW_KERNEL
void OverOpaqueRow(uint32_t* out, const uint32_t* src, int count) {
    int i = 0;
    for (; i + kGroup <= count; i += kGroup) {
        const Pixels s = Load(src + i);
        const Pixels alpha = s >> 24;
        const Pixels clear = reinterpret_cast<Pixels>(alpha == 0);
        if (AllSet(clear)) {
            continue;
        }
        const Pixels solid = reinterpret_cast<Pixels>(alpha == 255);
        if (AllSet(solid)) {
            Store(out + i, s);
            continue;
        }
        const Pixels d = Load(out + i);
        const Pixels mixed = MixOpaque(SplitOf(d), SplitOf(s), AlphaLanes(s));
        Store(out + i, (d & clear) | (s & solid) | (mixed & ~(clear | solid)));
    }
    for (; i < count; ++i) {
        const uint32_t s = src[i];
        const uint32_t alpha = s >> 24;
        if (alpha == 255) {
            out[i] = s;
        } else if (alpha != 0) {
            out[i] = 0xFF000000u | MixFields(out[i], s, alpha);
        }
    }
}

} // namespace Vuro::Blend
