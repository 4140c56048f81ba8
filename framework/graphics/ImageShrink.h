#pragma once
// Shrinks a picture with an exact box filter: each pixel of the result is the mean of the source
// area it covers, every source pixel weighted by the part of it inside that area, so any ratio
// works and no pixel is skipped. Colours are weighted by their alpha, so the colour of a fully
// transparent pixel does not bleed into its neighbours.

#include <cstdint>
#include <vector>

namespace Vuro {

// pixels: width x height 0xAARRGGBB words (not premultiplied), rows top first. The new size is
// at least 1 and at most the old one on each axis. Answers newWidth x newHeight words, each
// channel rounded to the nearest value; an area with no alpha at all gives 0.
std::vector<uint32_t> ShrinkImage(const uint32_t* pixels, int width, int height, int newWidth,
                                  int newHeight);

} // namespace Vuro
