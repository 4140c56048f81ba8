#pragma once
// The menuart step: every picture of MenuArtList.h (the menu art set, the intro and the loading
// screen) under images/, and its review sheet contact-menuart.png.

#include "tools/assetgen/Steps.h"

namespace Vuro::AssetGen {

int RunMenuArtStep(const StepContext& context);

} // namespace Vuro::AssetGen
