#pragma once
// The painters of the menu art, by picture name: each paints its picture into a sheet of the
// size and cel grid that MenuArtList.h gives, from the sources under assets/menuart/.

#include "tools/assetgen/art/Sheet.h"
#include "tools/assetgen/menuart/MenuArtSources.h"
#include "tools/assetgen/menuart/MenuScenes.h"

#include <functional>
#include <map>
#include <string>

namespace Vuro::AssetGen {

using MenuPainter = std::function<void(Art::Sheet& sheet, const MenuArtSources& sources)>;
using MenuPainterMap = std::map<std::string, MenuPainter>;

void AddMapPainters(MenuPainterMap& out);
void AddMapSpritePainters(MenuPainterMap& out);
void AddMenuButtonPainters(MenuPainterMap& out);
void AddControlPainters(MenuPainterMap& out);
void AddIntroPainters(MenuPainterMap& out);
void AddPaintTablePainters(MenuPainterMap& out);
// Painters for the pictures of scenes.txt that no other painter makes; they read `scenes`, which
// must outlive them.
void AddScenePainters(MenuPainterMap& out, const MenuScenes& scenes);

} // namespace Vuro::AssetGen
