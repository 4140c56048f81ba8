#pragma once
// Writes a level in the format the game's level reader takes: the section "Init" with the
// trees (each with its blocked cells), the fruit boxes, goals, time and sky, then the section
// "TimeLine" with its entries named 1, 2, ...

#include "tools/assetgen/levels/LevelRules.h"

#include <string>

namespace Vuro::AssetGen {

std::string WriteLevelFile(const LevelPlan& plan);

} // namespace Vuro::AssetGen
