#include "platform/Window.h"

#include "platform/PictureRows.h"

#include <vector>

namespace Vuro::Platform {

bool Window::PresentPixels(const void* pixels, int pitch, int width, int height, int bitCount,
                           uint32_t redMask, uint32_t greenMask, uint32_t blueMask) {
    if (width <= 0 || height <= 0) {
        return Present(nullptr, width, height);
    }
    std::vector<uint32_t> argb(static_cast<size_t>(width) * height);
    const PixelFormat format =
        bitCount == 32 ? kFormat888
                       : PixelFormat{static_cast<uint32_t>(bitCount), redMask, greenMask, blueMask};
    CopyPicture(PictureRows{pixels, pitch, width, height, format},
                PictureTarget{argb.data(), width * 4, kFormat888, 0, 0, width, height});
    for (uint32_t& pixel : argb) {
        pixel |= 0xFF000000;
    }
    return Present(argb.data(), width, height);
}

} // namespace Vuro::Platform
