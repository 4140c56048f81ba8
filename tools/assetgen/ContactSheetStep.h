#pragma once
#include "tools/assetgen/Steps.h"

namespace Vuro::AssetGen {

// Joins the steps' contact sheets into build/<preset>/contact-sheet.png.
int RunContactSheet(const StepContext& context);

} // namespace Vuro::AssetGen
