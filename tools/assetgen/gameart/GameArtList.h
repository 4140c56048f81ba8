#pragma once
// Every picture of the play field: the game's image set (its fixed loads, the stage pictures,
// backgrounds and ambient animations of the six themes, the day and night sky) and the menu
// cursor, with the cel grid (rows x columns) the game cuts each into and the size of one cel.
// The asset tool paints them (gameart step); the tests read each one back through the game's
// image reader.

#include "tools/assetgen/art/ImageFormat.h"
#include "tools/assetgen/levels/TreeGeometry.h"

namespace Vuro::AssetGen {

struct GameArtPicture {
    const char* mName; // as the game loads it, under bin/, without extension
    int mRows;
    int mColumns;
    int mCelWidth;
    int mCelHeight;
    Art::ImageFormat mFormat;
};

namespace GameArtSizes {
inline constexpr int kField = 640;
inline constexpr int kFieldHeight = 480;
inline constexpr int kFruit = TreeGeometry::kFruitSize; // fruit cels; cells are 21 px apart
inline constexpr int kTreeWidth = TreeGeometry::kPictureWidth;
inline constexpr int kTreeHeight = TreeGeometry::kPictureHeight;
inline constexpr int kButtonWidth = 110;
inline constexpr int kButtonHeight = 33;
} // namespace GameArtSizes

using Art::ImageFormat;
using namespace GameArtSizes;

inline constexpr GameArtPicture kGameArtPictures[] = {
    // Panels, buttons and screens over the field
    {"images/help_panel", 1, 1, 598, 196, ImageFormat::Png},
    {"images/black", 1, 1, kField, kFieldHeight, ImageFormat::Gif},
    {"images/stat_button", 1, 1, kButtonWidth, kButtonHeight, ImageFormat::Png},
    {"images/stat_button_over", 1, 1, kButtonWidth, kButtonHeight, ImageFormat::Png},
    {"images/stat_low", 1, 1, 500, 370, ImageFormat::Png},
    {"images/dlg", 1, 1, 400, 200, ImageFormat::Png},
    {"images/button_1", 1, 1, kButtonWidth, kButtonHeight, ImageFormat::Png},
    {"images/button_1over", 1, 1, kButtonWidth, kButtonHeight, ImageFormat::Png},
    {"images/dlg_button", 1, 3, kButtonWidth, 36, ImageFormat::Png},
    {"images/gameover", 1, 1, 418, 112, ImageFormat::Tga},
    {"images/levelcompleted", 1, 1, 438, 188, ImageFormat::Tga},
    {"images/curtain", 1, 1, 127, kFieldHeight, ImageFormat::Tga},
    {"images/side", 1, 1, 230, 52, ImageFormat::Png},
    {"images/menu_ingame", 1, 1, kField, 60, ImageFormat::Png},
    {"images/circles", 1, 7, 40, 40, ImageFormat::Png},
    {"images/bonus", 1, 7, 32, 40, ImageFormat::Png},
    // Cursors, centred on the mouse
    {"images/cursor", 1, 1, 48, 48, ImageFormat::Png},
    {"images/cursor2", 1, 1, 48, 48, ImageFormat::Png},
    {"images/menu_cursor", 1, 1, 48, 48, ImageFormat::Png},
    // Trees and fruit
    {"images/appletree", 1, 1, kTreeWidth, kTreeHeight, ImageFormat::Png},
    {"images/peartree", 1, 1, kTreeWidth, kTreeHeight, ImageFormat::Png},
    {"images/plumtree", 1, 1, kTreeWidth, kTreeHeight, ImageFormat::Png},
    {"images/orangetree", 1, 1, kTreeWidth, kTreeHeight, ImageFormat::Png},
    {"images/appleanim", 1, 6, kFruit, kFruit, ImageFormat::Png},
    {"images/pearanim", 1, 6, kFruit, kFruit, ImageFormat::Png},
    {"images/plumanim", 1, 6, kFruit, kFruit, ImageFormat::Png},
    {"images/orangeanim", 1, 6, kFruit, kFruit, ImageFormat::Png},
    {"images/applegerm", 1, 4, kFruit, kFruit, ImageFormat::Png},
    {"images/peargerm", 1, 4, kFruit, kFruit, ImageFormat::Png},
    {"images/plumgerm", 1, 4, kFruit, kFruit, ImageFormat::Png},
    {"images/orangegerm", 1, 4, kFruit, kFruit, ImageFormat::Png},
    {"images/fruitfly", 1, 3, 30, 20, ImageFormat::Gif},
    // Creatures
    {"images/bird", 1, 10, 62, 44, ImageFormat::Png},
    {"images/birdblack", 1, 8, 66, 46, ImageFormat::Png},
    {"images/birdwhite", 1, 10, 62, 44, ImageFormat::Png},
    {"images/birdkamikadze", 1, 4, 80, 40, ImageFormat::Png},
    {"images/bird_shot", 1, 2, 62, 44, ImageFormat::Png},
    {"images/birdblack_shot", 1, 2, 66, 46, ImageFormat::Png},
    {"images/birdwhite_shot", 1, 2, 62, 44, ImageFormat::Png},
    {"images/birdkamikadze_shot", 1, 2, 80, 40, ImageFormat::Png},
    {"images/flash_blue", 1, 8, 72, 58, ImageFormat::Png},
    {"images/Flash_black", 1, 8, 78, 62, ImageFormat::Png},
    {"images/Flash_white", 1, 8, 72, 58, ImageFormat::Png},
    {"images/Flash_kamikadze", 1, 8, 114, 50, ImageFormat::Png},
    {"images/cater", 1, 8, 20, 20, ImageFormat::Png},
    {"images/hedgehog", 2, 5, 44, 40, ImageFormat::Png},
    {"images/flash_hedgehog", 1, 6, 54, 48, ImageFormat::Png},
    // The player's helpers and their effects
    {"images/slingshot", 1, 1, 20, 30, ImageFormat::Png},
    {"images/stone", 1, 1, 10, 10, ImageFormat::Png},
    {"images/broom", 1, 2, 52, 62, ImageFormat::Png},
    {"images/autocar", 1, 3, 64, 38, ImageFormat::Png},
    {"images/smoke", 1, 8, 36, 32, ImageFormat::Png},
    {"images/shot", 2, 5, 120, 100, ImageFormat::Png},
    {"images/magicshot", 2, 5, 80, 64, ImageFormat::Png},
    // Weather and sky
    {"images/lightning", 1, 8, 110, 420, ImageFormat::Png},
    {"images/clouds", 1, 1, 246, 90, ImageFormat::Png},
    {"images/rain", 4, 1, 240, 52, ImageFormat::Png},
    {"images/sky", 1, 1, kField, 200, ImageFormat::Png},
    {"images/skynight", 1, 1, kField, 200, ImageFormat::Png},
    {"images/sun", 1, 2, 133, 133, ImageFormat::Png},
    {"images/month", 1, 2, 133, 133, ImageFormat::Png},
    {"images/stars", 1, 3, 610, 260, ImageFormat::Gif},
    {"images/background_menu", 1, 1, kField, kFieldHeight, ImageFormat::Jpeg},
    {"images/background_night", 1, 1, kField, kFieldHeight, ImageFormat::Jpeg},
    // Scenery: the composite's canvas, the six theme backgrounds, their stage pictures (drawn
    // over the whole field at 0, 0) and ambient animations
    {"images/empty", 1, 1, kField, kFieldHeight, ImageFormat::Png},
    {"images/granny", 1, 1, kField, kFieldHeight, ImageFormat::Png},
    {"images/lake", 1, 1, kField, kFieldHeight, ImageFormat::Png},
    {"images/forest", 1, 1, kField, kFieldHeight, ImageFormat::JpegWithAlpha},
    {"images/castle", 1, 1, kField, kFieldHeight, ImageFormat::Png},
    {"images/mountain", 1, 1, kField, kFieldHeight, ImageFormat::JpegWithAlpha},
    {"images/city", 1, 1, kField, kFieldHeight, ImageFormat::Png},
    {"images/granny_1", 1, 1, kField, kFieldHeight, ImageFormat::Png},
    {"images/granny_2", 1, 1, kField, kFieldHeight, ImageFormat::Png},
    {"images/granny_3", 1, 1, kField, kFieldHeight, ImageFormat::Png},
    {"images/granny_4", 1, 1, kField, kFieldHeight, ImageFormat::Png},
    {"images/lake_1", 1, 1, kField, kFieldHeight, ImageFormat::Png},
    {"images/lake_2", 1, 1, kField, kFieldHeight, ImageFormat::Png},
    {"images/lake_3", 1, 1, kField, kFieldHeight, ImageFormat::Png},
    {"images/lake_4", 1, 1, kField, kFieldHeight, ImageFormat::Png},
    {"images/forest_1", 1, 1, kField, kFieldHeight, ImageFormat::Png},
    {"images/forest_2", 1, 1, kField, kFieldHeight, ImageFormat::Png},
    {"images/forest_3", 1, 1, kField, kFieldHeight, ImageFormat::Png},
    {"images/forest_4", 1, 1, kField, kFieldHeight, ImageFormat::Png},
    {"images/forest_5", 1, 1, kField, kFieldHeight, ImageFormat::Png},
    {"images/castle_1", 1, 1, kField, kFieldHeight, ImageFormat::Png},
    {"images/castle_2", 1, 1, kField, kFieldHeight, ImageFormat::Png},
    {"images/castle_3", 1, 1, kField, kFieldHeight, ImageFormat::Png},
    {"images/castle_4", 1, 1, kField, kFieldHeight, ImageFormat::Png},
    {"images/castle_5", 1, 1, kField, kFieldHeight, ImageFormat::Png},
    {"images/mountain_1", 1, 1, kField, kFieldHeight, ImageFormat::Png},
    {"images/mountain_2", 1, 1, kField, kFieldHeight, ImageFormat::Png},
    {"images/mountain_3", 1, 1, kField, kFieldHeight, ImageFormat::Png},
    {"images/mountain_4", 1, 1, kField, kFieldHeight, ImageFormat::Png},
    {"images/city_1", 1, 1, kField, kFieldHeight, ImageFormat::Png},
    {"images/city_2", 1, 1, kField, kFieldHeight, ImageFormat::Png},
    {"images/city_3", 1, 1, kField, kFieldHeight, ImageFormat::Png},
    {"images/city_4", 1, 1, kField, kFieldHeight, ImageFormat::Png},
    {"images/city_5", 1, 1, kField, kFieldHeight, ImageFormat::Png},
    {"images/house_smoke", 1, 4, 48, 160, ImageFormat::Png},
    {"images/frog", 1, 2, 40, 46, ImageFormat::Png},
    {"images/bunny", 1, 2, 36, 44, ImageFormat::Png},
    {"images/city_light", 1, 4, 60, 50, ImageFormat::Png},
};

} // namespace Vuro::AssetGen
