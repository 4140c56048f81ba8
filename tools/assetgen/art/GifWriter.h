#pragma once
// A GIF89a writer: the picture is cut down to at most 255 colours (median cut) plus one
// transparent index for pixels less than half opaque, and packed with LZW.

#include <cstdint>
#include <filesystem>
#include <vector>

namespace Vuro::AssetGen::Art {

// `pixels` are 0xAARRGGBB words, not premultiplied, rows top first.
// The pixels as a GIF keeps them: at most 255 opaque colours, and transparent black where a
// pixel was less than half opaque.
std::vector<uint32_t> LimitColours(const std::vector<uint32_t>& pixels);

bool WriteGif(const std::vector<uint32_t>& pixels, int width, int height,
              const std::filesystem::path& path);

} // namespace Vuro::AssetGen::Art
