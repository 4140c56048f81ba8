#pragma once
// The props the scenery pictures are made of (hills, meadows, water, forests, mountains,
// flowers; fences, houses, walls and towers, fountains, city houses, ...), painted into the
// field-sized pictures of the six themes as assets/gameart/scenery.txt lists them.

#include "tools/assetgen/art/Palette.h"
#include "tools/assetgen/gameart/SceneFile.h"

#include <cairo.h>

#include <map>
#include <string>

namespace Vuro::AssetGen {

using PropPainter = void (*)(cairo_t* cr, const Prop& prop);

void AddLandProps(std::map<std::string, PropPainter>& out);
void AddBuildingProps(std::map<std::string, PropPainter>& out);

// The palette colour named by the prop's `key` (for example tone=pine), else `fallback`.
Art::Rgb ToneOf(const Prop& prop, const std::string& key, const Art::Rgb& fallback);

// Paints every prop of the picture; false with a message for a prop no painter knows.
bool PaintScenePicture(cairo_t* cr, const ScenePicture& picture, const std::string& file);

} // namespace Vuro::AssetGen
