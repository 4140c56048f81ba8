#pragma once
// Every picture of the screens around the play field: the menu art set in its load order, the
// intro's pictures, the loading screen's pairs, with the cel grid (rows x columns) the screens
// cut each into, the size of one cel, the file kind and its painter. The menuart step paints
// them; the tests read each one back through the game's image reader. Pictures that the play
// field's image set also loads (the sky, the sun, dialogs, button_1, ...) belong to the gameart
// step and are not listed here.

#include "tools/assetgen/PictureTable.h"

#include <span>
#include <string_view>

namespace Vuro::AssetGen {

struct MenuArtInputs;

using MenuArtPicture = Picture<MenuArtInputs>;

std::span<const MenuArtPicture> MenuArtPictures();

// The row of a picture, or null.
const MenuArtPicture* FindMenuArtPicture(std::string_view name);

} // namespace Vuro::AssetGen
