#pragma once
// The four fruit trees, drawn to the layout the levels place them by (levels/TreeGeometry.h:
// picture size, the crown's box of fruit cells, the trunk and the foot on the ground), and the
// leafy masses the scenery reuses.

#include "tools/assetgen/art/Sheet.h"

#include <vector>

namespace Vuro::AssetGen {

// The tree that bears fruit of `kind` (1 apple, 2 pear, 3 plum, 4 orange).
void PaintTree(Art::Sheet& sheet, int kind);

// One round part of a mass of leaves: centre, radii and the roundness of its edge (2 an
// ellipse, larger values squarer).
struct FoliageLobe {
    double mX;
    double mY;
    double mRx;
    double mRy;
    double mPower;
};

// A mass of leaf clusters filling the lobes, outlined as one shape and lit from the upper left.
void PaintFoliage(cairo_t* cr, const std::vector<FoliageLobe>& lobes, const Art::Rgb& leaf,
                  unsigned seed, double clusterRadius);

} // namespace Vuro::AssetGen
