#include "platform/Window.h"

#include <bit>
#include <cstring>
#include <vector>

namespace Vuro::Platform {

bool Window::PresentPixels(const void* pixels, int pitch, int width, int height, int bitCount,
                           uint32_t redMask, uint32_t greenMask, uint32_t blueMask) {
    if (width <= 0 || height <= 0) {
        return Present(nullptr, width, height);
    }
    std::vector<uint32_t> argb(static_cast<size_t>(width) * height);
    const auto* rows = static_cast<const uint8_t*>(pixels);
    const uint32_t masks[3] = {redMask, greenMask, blueMask};
    for (int y = 0; y < height; ++y) {
        uint32_t* out = argb.data() + static_cast<size_t>(y) * width;
        const uint8_t* row = rows + static_cast<size_t>(y) * pitch;
        if (bitCount == 32) {
            std::memcpy(out, row, static_cast<size_t>(width) * 4);
            for (int x = 0; x < width; ++x) {
                out[x] |= 0xFF000000;
            }
            continue;
        }
        const auto* row16 = reinterpret_cast<const uint16_t*>(row);
        for (int x = 0; x < width; ++x) {
            uint32_t word = 0xFF000000;
            for (int k = 0; k < 3; ++k) {
                const int bits = std::popcount(masks[k]);
                const uint32_t value = (row16[x] & masks[k]) >> std::countr_zero(masks[k]);
                // The top bits repeated below, as a 16-bit screen shows a full channel at 255.
                const uint32_t wide = (value << (8 - bits)) | (value >> (2 * bits - 8));
                word |= wide << (16 - 8 * k);
            }
            out[x] = word;
        }
    }
    return Present(argb.data(), width, height);
}

} // namespace Vuro::Platform
