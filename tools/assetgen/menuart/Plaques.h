#pragma once
// The wooden and paper pieces the screens write on and the buttons are made of, lit from the
// upper left with the warm outline and a soft shadow: planks with grain and nails, parchment
// cards, ribbons, a gold coin and a picture's wooden frame.

#include "tools/assetgen/art/Canvas.h"

#include <cairo.h>

namespace Vuro::AssetGen::Plaques {

// Fills the shape `path` builds (within the box x, y, w, h) with wood of the given colour:
// grain (varied by `grainSeed`), a light top and a dark bottom bevel, the outline; a soft shadow
// first when asked.
void Wood(cairo_t* cr, const Art::PathFn& path, double x, double y, double w, double h,
          const Art::Rgb& wood, unsigned grainSeed, bool shadow);
// A rounded wooden plank with a nail at each end.
void Plank(cairo_t* cr, double x, double y, double w, double h, const Art::Rgb& wood,
           unsigned grainSeed, bool shadow = true, bool nails = true);
void Nail(cairo_t* cr, double x, double y);
// A wooden board: a plank in the common wood colour.
void Board(cairo_t* cr, double x, double y, double w, double h);
void Parchment(cairo_t* cr, double x, double y, double w, double h);
// A parchment ribbon with folded ends outside x..x+w.
void Ribbon(cairo_t* cr, double x, double y, double w, double h);
void Coin(cairo_t* cr, double cx, double cy, double r);
// A wooden frame `thickness` wide around a picture of w x h.
void Frame(cairo_t* cr, double w, double h, double thickness = 6);
// A soft glow of `colour` around the rounded box, for hovered buttons.
void Glow(cairo_t* cr, double x, double y, double w, double h, double radius,
          const Art::Rgb& colour, double alpha);

} // namespace Vuro::AssetGen::Plaques
