#pragma once
// The 3-D device's own pixel work on its picture (ARGB8888), each exactly as SDL does it
// (tested value for value against SDL), in one simple pass a row where SDL's generic code costs
// several times more:
// - rows between a surface of the 2-D device (16-bit 5-6-5 or 5-5-5, 32-bit xRGB; SDL's RGB565,
//   RGB555 and RGB888) and the picture, for the parts of a frame a scene takes in and writes
//   back, as SDL_ConvertPixels converts them: into the picture with alpha 255, a 5-bit channel
//   widened to c * 255 / 31 rounded down and SDL's 6-bit green by its table's own rounding; into
//   the surface by the top bits of each channel (the top byte of a 32-bit pixel 0). Any other
//   format answers false and writes nothing.
// - a texture's rectangle copied unscaled onto the picture, as SDL's software renderer copies
//   it (SDL_RenderCopy with the texture's colour and alpha modulation and blend mode).

#include <cstdint>

namespace Vuro::Platform {

// Rows of pixels, pitch bytes apart.
struct PixelRows {
    void* pixels;
    int pitch;
    int width;
    int height;
};

// The surface's rows (format an SDL_PIXELFORMAT_ value) into the picture's, both of
// surface.width x surface.height.
bool SurfaceToPicture(const PixelRows& surface, uint32_t format, const PixelRows& picture);
// The picture's rows into the surface's, both of picture.width x picture.height.
bool PictureToSurface(const PixelRows& picture, const PixelRows& surface, uint32_t format);

// How texels meet the picture: SDL's blend modes none, blend and add.
enum class TexelMix { Copy, Blend, Add };

// Each texel's channels are multiplied by these (then divided by 255), as SDL's colour and
// alpha modulation do; 255 leaves them.
struct TexelTint {
    uint32_t red = 255;
    uint32_t green = 255;
    uint32_t blue = 255;
    uint32_t alpha = 255;
};

// The texture's rectangle (sx, sy, width, height), which lies inside it, onto the picture at
// (x, y), kept to the picture. Untinted blending takes alpha 0 as nothing and 255 as the texel,
// and makes each channel (s a >> 8) + (d (255 - a) >> 8) for any other alpha a, the texel's
// alpha channel counting as 255; every other kind tints the texel, multiplies its colour by its
// alpha when blending or adding (below 255), and then takes its colour plus the picture's times
// 255 - alpha (blend, alpha alike) or the sum kept to 255 (add, alpha left), each product
// divided by 255; copying takes the tinted texel.
void CopyTexels(const PixelRows& texture, int sx, int sy, int width, int height,
                const PixelRows& picture, int x, int y, TexelMix mix, const TexelTint& tint);

} // namespace Vuro::Platform
