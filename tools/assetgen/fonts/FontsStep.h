#pragma once
// The fonts step: the game's bitmap fonts (descriptors and glyph sheets under images/fonts/),
// rendered through FreeType from the styles in assets/fonts/.

#include "tools/assetgen/Steps.h"

namespace Vuro::AssetGen {

int RunFontsStep(const StepContext& context);

} // namespace Vuro::AssetGen
