#pragma once
// The player's helpers and their signs: slingshot and stone, broom, autocar, the bonus items
// and the round status icons of the panel under the field.

#include "tools/assetgen/art/Sheet.h"

namespace Vuro::AssetGen {

void PaintSlingshot(Art::Sheet& sheet);
void PaintStone(Art::Sheet& sheet);
void PaintBroom(Art::Sheet& sheet);
void PaintAutocar(Art::Sheet& sheet);
// Kinds 0 points, 1 double shot, 2 smoke, 3 lightning, 4 broom, 5 autocar, 6 stop.
void PaintBonusItems(Art::Sheet& sheet);
// Cels 0 autocar, 1 broom, 2 smoke, 3 slingshot, 4 double shot, 5 stop, 6 lightning.
void PaintStatusIcons(Art::Sheet& sheet);

// A round puff of smoke, the smoke bonus and the effects share it.
void PaintPuff(cairo_t* cr, double cx, double cy, double r, double alpha);

} // namespace Vuro::AssetGen
