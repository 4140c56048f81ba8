#pragma once
// Effects and weather: smoke puffs, the stone's hit, the magic of a bonus, lightning, the rain
// cloud and its rain, fruit flies over rotting fruit, granny's chimney smoke and the city's
// blinking tower light.

#include "tools/assetgen/art/Sheet.h"

namespace Vuro::AssetGen {

void PaintSmoke(Art::Sheet& sheet);
void PaintShotFlash(Art::Sheet& sheet);
void PaintMagicShot(Art::Sheet& sheet);
void PaintLightning(Art::Sheet& sheet);
void PaintRainCloud(Art::Sheet& sheet);
void PaintRain(Art::Sheet& sheet);
void PaintFruitFly(Art::Sheet& sheet);
void PaintHouseSmoke(Art::Sheet& sheet);
void PaintCityLight(Art::Sheet& sheet);

} // namespace Vuro::AssetGen
