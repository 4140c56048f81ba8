#pragma once
// Where the trees of a level stand on the play field and where their fruit may hang. The level
// tables place trees by these sizes, and the tree pictures (images/appletree, peartree,
// plumtree, orangetree) are drawn to them; the level step and its tests share them. Every tree
// picture is kTreeWidth x kTreeHeight (game/rules/FieldGeometry.h), drawn with its top-left
// corner at the tree's point.

#include "game/rules/FieldGeometry.h"

namespace Vuro::AssetGen::TreeGeometry {

// The crown holds the fruit-cell grid: at most 6 columns by 5 rows of cells 21 pixels apart,
// the top-left fruit at (8, 12) in the picture. A smaller grid is centred in that box. Crowns
// are round: the corner cells of a grid bear no fruit (CellBearsFruit), the level tables block
// them.
inline constexpr int kCrownLeft = 8;
inline constexpr int kCrownTop = 12;
inline constexpr int kCrownColumns = 6;
inline constexpr int kCrownRows = 5;
inline constexpr int kCellSpacing = 21;

// The trunk, up which caterpillars climb to the crown (x + 66..75 by kind), spans these columns
// of the picture.
inline constexpr int kTrunkLeft = 55;
inline constexpr int kTrunkRight = 85;

// The foot of a tree (its picture's bottom) stands on the ground, between these rows.
inline constexpr int kGroundTop = 405;
inline constexpr int kGroundBottom = 415;

// The grid origin of a tree at (x, y) with a grid of columns x rows, centred in the crown.
inline constexpr int GridOriginX(int x, int columns) {
    return x + kCrownLeft + (kCrownColumns - columns) * kCellSpacing / 2;
}
inline constexpr int GridOriginY(int y, int rows) {
    return y + kCrownTop + (kCrownRows - rows) * kCellSpacing / 2;
}

// Whether cell (ix, iy) of a grid of columns x rows may bear fruit: not the top corners, nor the
// bottom ones of a grid of 4 x 4 or more.
inline constexpr bool CellBearsFruit(int columns, int rows, int ix, int iy) {
    const bool side = ix == 0 || ix == columns - 1;
    const bool end = iy == 0 || (iy == rows - 1 && columns >= 4 && rows >= 4);
    return !(side && end);
}

} // namespace Vuro::AssetGen::TreeGeometry
