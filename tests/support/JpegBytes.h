#pragma once
// A small JPEG file that declares a large picture: the bytes of a real file with its frame
// header claiming width x height and its entropy-coded data replaced by `data` (no 0xFF byte in
// it, so no marker appears there). Empty when `jpeg` has no frame header or no scan.

#include <cstddef>
#include <cstdint>
#include <string>

namespace Vuro::Test {

inline std::string JpegWithFrameAndData(std::string jpeg, int width, int height,
                                        const std::string& data) {
    const size_t frame = jpeg.find("\xFF\xC0");
    const size_t scan = jpeg.find("\xFF\xDA");
    if (frame == std::string::npos || scan == std::string::npos) {
        return {};
    }
    jpeg[frame + 5] = static_cast<char>(height >> 8);
    jpeg[frame + 6] = static_cast<char>(height);
    jpeg[frame + 7] = static_cast<char>(width >> 8);
    jpeg[frame + 8] = static_cast<char>(width);
    const size_t scanLength =
        static_cast<uint8_t>(jpeg[scan + 2]) << 8 | static_cast<uint8_t>(jpeg[scan + 3]);
    return jpeg.substr(0, scan + 2 + scanLength) + data;
}

} // namespace Vuro::Test
