#pragma once
// Small value types that drawing calls pass around: the draw mode, scan-line spans, textured
// vertices, integer points and the codes of the pixel formats the triangle rasteriser writes.

#include <cstdint>

namespace Vuro {

// 0 normal (alpha compositing), 1 additive (saturating sum of the colour channels). Other
// values draw nothing; a font layer may hold -1 for "the drawing context's mode".
using DrawMode = int32_t;
constexpr DrawMode kDrawModeNormal = 0;
constexpr DrawMode kDrawModeAdditive = 1;

// One row span of Image::FillScanLines; its height is always 1.
struct ScanSpan {
    int32_t mX;
    int32_t mY;
    int32_t mWidth;
};

// One corner of a textured triangle.
struct TexVertex {
    float mX; // destination position in pixels
    float mY;
    float mU; // texture position, 0..1 across the texture
    float mV;
    uint32_t mColor; // 0xAARRGGBB modulating the texture; 0 means the draw colour
};

struct Point {
    int32_t mX;
    int32_t mY;
};

// Destination pixel formats of the triangle rasteriser; the hex digits spell the channel bits.
using PixelFormatCode = int32_t;
constexpr PixelFormatCode kPixelFormat8888 = 0x8888; // 0xAARRGGBB, alpha kept
constexpr PixelFormatCode kPixelFormat888 = 0x888;   // colour in the low 24 bits
constexpr PixelFormatCode kPixelFormat565 = 0x565;   // 16-bit, red 11..15, green 5..10, blue 0..4
constexpr PixelFormatCode kPixelFormat555 = 0x555;   // 16-bit, red 10..14, green 5..9, blue 0..4

} // namespace Vuro
