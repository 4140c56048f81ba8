#pragma once
// The painter of each picture of the play field, by the picture's name.

#include "tools/assetgen/Steps.h"
#include "tools/assetgen/art/Sheet.h"

#include <functional>
#include <map>
#include <string>

namespace Vuro::AssetGen {

using SheetPainter = std::function<void(Art::Sheet&)>;

// Fails (false, message on stderr) when a source under assets/gameart cannot be read.
bool MakeGameArtPainters(const StepContext& context, std::map<std::string, SheetPainter>& out);

} // namespace Vuro::AssetGen
