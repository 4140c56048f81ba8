#pragma once
// The four birds (0 bird, 1 black bird, 2 white bird, 3 kamikaze bird) from one parameterised
// bird: its wing at the angles of a flap, facing right in the first half of a strip and
// mirrored in the second; the same bird hit by a stone and stunned by lightning.

#include "tools/assetgen/art/Sheet.h"

namespace Vuro::AssetGen {

void PaintBirdFlight(Art::Sheet& sheet, int kind);
void PaintBirdShot(Art::Sheet& sheet, int kind);
void PaintBirdFlash(Art::Sheet& sheet, int kind);

// One bird facing right with its top-left at (x, y), wing at `wingAngle` radians above level;
// the statistics icons and the help art reuse it.
void PaintBird(cairo_t* cr, int kind, double x, double y, double wingAngle);

} // namespace Vuro::AssetGen
