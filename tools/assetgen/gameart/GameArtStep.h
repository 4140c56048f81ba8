#pragma once
#include "tools/assetgen/Steps.h"

namespace Vuro::AssetGen {

// Paints every picture of GameArtList.h into the output folder and writes contact-gameart.png.
int RunGameArt(const StepContext& context);

} // namespace Vuro::AssetGen
