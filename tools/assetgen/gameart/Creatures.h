#pragma once
// The creatures on the ground: the hedgehog (walking, sniffing, rolled up; and stunned), the
// caterpillar (crawling and climbing), and the stage animals (granny's chimney smoke is with
// the effects): the lake frog and the forest bunny.

#include "tools/assetgen/art/Sheet.h"

namespace Vuro::AssetGen {

void PaintHedgehog(Art::Sheet& sheet);
void PaintHedgehogFlash(Art::Sheet& sheet);
void PaintCaterpillar(Art::Sheet& sheet);
void PaintFrog(Art::Sheet& sheet);
void PaintBunny(Art::Sheet& sheet);

} // namespace Vuro::AssetGen
