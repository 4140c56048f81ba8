#pragma once
// The sky behind every stage: day and night backgrounds (each repeats every 508 pixels across,
// so that the statistics screen's two halves of sky meet), the two cloud strips that scroll and
// wrap (each tiles with itself side by side), the sun and the moon, the night's stars.

#include "tools/assetgen/art/Sheet.h"

namespace Vuro::AssetGen {

void PaintDayBackground(Art::Sheet& sheet);
void PaintNightBackground(Art::Sheet& sheet);
void PaintCloudStrip(Art::Sheet& sheet, bool night);
void PaintSun(Art::Sheet& sheet);
void PaintMoon(Art::Sheet& sheet);
void PaintStars(Art::Sheet& sheet);

// A fluffy cloud of `width` whose bottom middle is at (x, y).
void PaintCloud(cairo_t* cr, double x, double y, double width, const Art::Rgb& light,
                const Art::Rgb& shade, double alpha);

} // namespace Vuro::AssetGen
