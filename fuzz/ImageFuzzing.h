#pragma once
// Shared by the image reader fuzz targets: the first and the last pixel of a decoded image are
// read, so AddressSanitizer sees a buffer smaller than the stated size. (Reading every pixel
// would cost seconds per input on the largest accepted pictures and show nothing more.)

#include "framework/graphics/ImageLib.h"

#include <cstdint>
#include <cstdlib>

namespace Vuro::ImageLib {

inline void CheckDecodedImage(const std::unique_ptr<Image>& image) {
    if (!image) {
        return;
    }
    if (image->mWidth <= 0 || image->mHeight <= 0 || image->mWidth > kMaxDimension ||
        image->mHeight > kMaxDimension) {
        std::abort();
    }
    const size_t count = static_cast<size_t>(image->mWidth) * static_cast<size_t>(image->mHeight);
    // Volatile so that the reads are not optimised away.
    volatile uint32_t first = image->mBits[0];
    volatile uint32_t last = image->mBits[count - 1];
    (void)first;
    (void)last;
}

} // namespace Vuro::ImageLib
