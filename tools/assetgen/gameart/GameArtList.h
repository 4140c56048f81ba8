#pragma once
// Every picture of the play field: the game's image set (its fixed loads, the stage pictures,
// backgrounds and ambient animations of the six themes, the day and night sky), the menu
// cursor and the program's icon, with the cel grid (rows x columns) the game cuts each into, the
// size of one cel and its painter. The gameart step paints them; the tests read each one back
// through the game's image reader.

#include "game/rules/FieldGeometry.h"
#include "tools/assetgen/PictureTable.h"
#include "tools/assetgen/gameart/SceneFile.h"

#include <filesystem>
#include <span>
#include <vector>

namespace Vuro::AssetGen {

// What the play field's painters read from assets/gameart: the scenery of the six themes.
struct GameArtSources {
    std::filesystem::path mSceneryFile;
    std::vector<ScenePicture> mScenery;
};

using GameArtPicture = Picture<GameArtSources>;

// The field's own sizes are game/rules/FieldGeometry.h's.
namespace GameArtSizes {
inline constexpr int kButtonWidth = 110;
inline constexpr int kButtonHeight = 33;
inline constexpr int kIconSize = 64;
} // namespace GameArtSizes

// The table, in the order the step paints and the contact sheet shows it.
std::span<const GameArtPicture> GameArtPictures();

} // namespace Vuro::AssetGen
