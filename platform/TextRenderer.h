#pragma once
// The system's text drawing: outline faces found by name, measured and drawn anti-aliased into
// 32-bit 0xAARRGGBB pixel buffers. Text handed in is code page 1251; it is turned into Unicode
// here.
//
// - CreateTextFace always answers a face. A name the system does not know gives its nearest
//   match (a Windows name such as "Tahoma" finds whatever sans face is installed); where no face
//   can be loaded at all, the face measures everything as 0 and draws nothing.
// - Metrics and widths are whole pixels. A string's width is the sum of its characters'
//   advances, without kerning; a line feed is measured and drawn as a character like any other.
// - DrawString places the top of the text's line at `top`, so the baseline lies `ascent` rows
//   below it and the lowest row of a capital's ink is top + ascent - 1. Nothing is written
//   outside the clip rectangle or the buffer. Each pixel's coverage blends the colour over the
//   pixel (see BlendCoverage).
// - A face may be used from one thread at a time; different faces from different threads.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace Vuro::Platform {

// Dots per inch by which point sizes become pixels.
inline constexpr int kTextDotsPerInch = 96;

struct TextFaceSpec {
    std::string faceName; // code page 1251
    int pixelHeight = 0;  // height of the characters (the em), in pixels
    bool bold = false;
    bool italic = false;
    bool underline = false;
};

struct TextMetrics {
    int ascent = 0;  // top of the line to the baseline
    int descent = 0; // baseline to the bottom of the line
    int height = 0;  // ascent + descent
};

// Clip rectangle in buffer pixels, width and height may be 0 or negative (nothing is drawn).
struct TextClip {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// A pixel buffer of width x height pixels, rows top first, `pitch` pixels apart: 32-bit
// 0xAARRGGBB words in `pixels`, or (when `pixels16` is set instead) 16-bit pixels whose
// channels lie under the three masks, which the text is converted into (low bits dropped).
struct TextTarget {
    uint32_t* pixels = nullptr;
    int width = 0;
    int height = 0;
    int pitch = 0;
    uint16_t* pixels16 = nullptr;
    uint32_t redMask = 0;
    uint32_t greenMask = 0;
    uint32_t blueMask = 0;
};

// The colour `rgb` (0x00RRGGBB) laid over `pixel` with `coverage` (0..255): every channel
// moves from the pixel's value toward the colour's (alpha toward 255) by coverage / 255,
// rounded to the nearest. Coverage 255 gives the colour, opaque; coverage 0 leaves the pixel.
constexpr uint32_t BlendCoverage(uint32_t pixel, uint32_t rgb, uint32_t coverage) {
    const uint32_t source = rgb | 0xFF000000u;
    uint32_t out = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        const uint32_t s = (source >> shift) & 0xFF;
        const uint32_t d = (pixel >> shift) & 0xFF;
        const uint32_t v = (s * coverage + d * (255 - coverage) + 127) / 255;
        out |= v << shift;
    }
    return out;
}

class TextFace {
public:
    virtual ~TextFace() = default;

    // What the face was made from (a copy made from it is an equal face).
    virtual const TextFaceSpec& GetSpec() const = 0;
    virtual TextMetrics GetMetrics() const = 0;
    virtual int StringWidth(std::string_view text) = 0;
    // `rgb` is 0x00RRGGBB; the alpha byte is ignored.
    virtual void DrawString(const TextTarget& target, const TextClip& clip, int x, int top,
                            std::string_view text, uint32_t rgb) = 0;
};

[[nodiscard]] std::unique_ptr<TextFace> CreateTextFace(const TextFaceSpec& faceSpec);

} // namespace Vuro::Platform
