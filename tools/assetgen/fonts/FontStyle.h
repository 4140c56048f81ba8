#pragma once
// The source of one bitmap font: a small text file under assets/fonts/ naming the face, the size
// and the look. One "key value" per line; a '#' followed by a blank or the line's end starts a
// comment:
//
//   face     DejaVuSans-Bold.ttf   # a file of the DejaVu folder, or a path
//   pixels   16                    # em size in pixels, also the font's point size
//   shade    0.16                  # the fill darkens by this much from cap height to baseline
//   outline  1.5 #3a2616           # radius in pixels and colour of a layer under the fill
//   spacing  0                     # extra pixels between any two characters
//
// face and pixels are required; without outline the font has one layer.

#include <cstdint>
#include <filesystem>
#include <string>

namespace Vuro::AssetGen {

struct FontStyle {
    std::filesystem::path mFace;
    int mPixels = 0;
    double mShade = 0;          // 0..1
    double mOutlineRadius = 0;  // 0: no outline layer
    uint32_t mOutlineColor = 0; // 0xRRGGBB
    int mSpacing = 0;
};

// Reads a style file; false with a message naming the file and line on a bad entry.
bool ReadFontStyle(const std::filesystem::path& file, FontStyle* out, std::string* error);

} // namespace Vuro::AssetGen
