#pragma once
// The "sounds" step: every sound effect of the game (audio/SoundTable.h) from its recipe
// assets/sounds/<name>.txt, written as sound/<name>.wav, .ogg or .au as the recipe says.

#include "tools/assetgen/Steps.h"

namespace Vuro::AssetGen {

int RunSoundsStep(const StepContext& context);

} // namespace Vuro::AssetGen
