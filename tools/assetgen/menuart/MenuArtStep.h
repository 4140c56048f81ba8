#pragma once
// The menuart step: every picture of MenuArtList.h (the menu art set, the intro and the loading
// screen) under images/ (see PictureStep.h for the pictures it can be asked for alone, and its
// review sheet).

#include "tools/assetgen/Steps.h"

namespace Vuro::AssetGen {

int RunMenuArtStep(const StepContext& context);

} // namespace Vuro::AssetGen
