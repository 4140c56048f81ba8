#pragma once
// The little landmarks of the stage map, each standing on its base point (x, y) and drawn with a
// ground shadow, shaded fill and the warm outline: trees, pines, houses, a castle, mountains, a
// lake, a windmill, a fountain, and the map's compass rose.

#include "tools/assetgen/art/Palette.h"

#include <cairo.h>

namespace Vuro::AssetGen::MapProps {

void RoundTree(cairo_t* cr, double x, double y, double r, const Art::Rgb& leaf, bool fruit);
void Pine(cairo_t* cr, double x, double y, double h);
void House(cairo_t* cr, double x, double y, double w, const Art::Rgb& wall, const Art::Rgb& roof);
void Castle(cairo_t* cr, double x, double y, double scale);
void Mountain(cairo_t* cr, double x, double y, double w, double h, bool snow);
// A lake centred at (cx, cy) with lily pads.
void Lake(cairo_t* cr, double cx, double cy, double rx, double ry);
void Windmill(cairo_t* cr, double x, double y, double h);
void Fountain(cairo_t* cr, double x, double y, double r);
void Flowers(cairo_t* cr, double x, double y, unsigned seed);
void Rock(cairo_t* cr, double x, double y, double r);
// A compass rose with `north` (one letter) written above it.
void Compass(cairo_t* cr, double cx, double cy, double r, const char* north);

} // namespace Vuro::AssetGen::MapProps
