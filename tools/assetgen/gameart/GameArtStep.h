#pragma once
// The gameart step: every picture of GameArtList.h under images/ (see PictureStep.h for the
// pictures it can be asked for alone, and its review sheet).

#include "tools/assetgen/Steps.h"

namespace Vuro::AssetGen {

int RunGameArtStep(const StepContext& context);

} // namespace Vuro::AssetGen
