#include "framework/display/TextureSize.h"

#include "framework/display/D3DInterface.h"

#include <algorithm>
#include <array>

namespace Vuro {

int NextPowerOfTwo(int n) {
    int p = 1;
    while (p < n) {
        p <<= 1;
    }
    return p;
}

bool IsPowerOfTwo(int n) {
    return n > 0 && (n & (n - 1)) == 0;
}

int GoodTextureSize(int n) {
    static const std::array<int, 1024> table = [] {
        std::array<int, 1024> sizes{};
        for (int i = 0; i < 1024; ++i) {
            const int p = NextPowerOfTwo(i);
            int q = p;
            if (p - i > 64) {
                do {
                    q /= 2;
                } while (i % q >= 64 && !IsPowerOfTwo(i % q));
            }
            sizes[static_cast<size_t>(i)] = q;
        }
        return sizes;
    }();
    return table[static_cast<size_t>(std::clamp(n, 0, 1023))];
}

void D3DInterface::ChooseTextureSize(int* width, int* height, bool isEdge, bool fitToDevice,
                                     int flags) {
    if ((flags & 2) != 0) {
        *width = 64;
        *height = 64;
    }
    int tw = *width;
    int th = *height;
    if (fitToDevice) {
        const bool regular = !isEdge && (flags & 1) == 0;
        auto fit = [regular](int size, int maximum) {
            if (size >= maximum) {
                return maximum;
            }
            return std::min(maximum, regular ? GoodTextureSize(size) : NextPowerOfTwo(size));
        };
        tw = fit(tw, gD3DLimits.mMaxTextureWidth);
        th = fit(th, gD3DLimits.mMaxTextureHeight);
    }
    tw = std::max(tw, gD3DLimits.mMinTextureWidth);
    th = std::max(th, gD3DLimits.mMinTextureHeight);
    const int aspect = std::max(gD3DLimits.mMaxAspectRatio, 1);
    while (th < tw && aspect * th < tw) {
        th *= 2;
    }
    while (tw < th && aspect * tw < th) {
        tw *= 2;
    }
    *width = tw;
    *height = th;
}

} // namespace Vuro
