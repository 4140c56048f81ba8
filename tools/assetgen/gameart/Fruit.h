#pragma once
// The four kinds of fruit (1 apple, 2 pear, 3 plum, 4 orange) through their life, drawn from
// one shape per kind so the cels of a kind line up: blossom and green fruit (germ sheets), then
// the six pictures of the anim sheets (unripe, ripening, ripe, fallen, rotten, golden).

#include "tools/assetgen/art/Sheet.h"

namespace Vuro::AssetGen {

enum class FruitLook { Blossom, Bud, Young, Green, Unripe, Ripening, Ripe, Fallen, Rotten, Golden };

// Draws one fruit into the 20 x 20 box at (x, y), scaled by `scale`.
void PaintFruit(cairo_t* cr, int kind, FruitLook look, double x, double y, double scale = 1.0);

void PaintFruitAnim(Art::Sheet& sheet, int kind);
void PaintFruitGerm(Art::Sheet& sheet, int kind);

} // namespace Vuro::AssetGen
