#pragma once
// The "levels" step: the story and survival level files of both sets (levels/story/,
// levels/survive/ and the same under levels/easy/) from the tables in assets/levels/.

#include "tools/assetgen/Steps.h"

namespace Vuro::AssetGen {

int RunLevelsStep(const StepContext& context);

} // namespace Vuro::AssetGen
