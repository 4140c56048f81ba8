#pragma once
// Captions drawn into pictures (Russian captions in UTF-8 source text), with DejaVu Sans from
// the system's fonts: a dark outline ring and a soft shadow make them readable on any ground.

#include "tools/assetgen/art/Palette.h"

#include <cairo.h>

namespace Vuro::AssetGen::Art {

enum class TextAlign { Left, Centre, Right };

struct TextStyle {
    double size = 16;
    bool bold = true;
    Rgb fill = Palette::kCaptionYellow;
    double outline = 2.5; // width of the outline ring; 0 for none
    bool shadow = true;
    TextAlign align = TextAlign::Centre;
};

// Width of `utf8` in pixels in the given style.
double TextWidth(cairo_t* cr, const char* utf8, const TextStyle& style);
// Draws `utf8` with its baseline at y; x is the left edge, centre or right edge by alignment.
void DrawText(cairo_t* cr, const char* utf8, double x, double baseline, const TextStyle& style);

} // namespace Vuro::AssetGen::Art
