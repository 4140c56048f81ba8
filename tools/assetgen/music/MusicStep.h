#pragma once
// The "music" step: every song of the game (audio/SoundTable.h) from its score
// assets/music/<name>.txt, as Ogg Vorbis under sound/. The songs are made in parallel.

#include "tools/assetgen/Steps.h"

namespace Vuro::AssetGen {

int RunMusicStep(const StepContext& context);

} // namespace Vuro::AssetGen
