// The play field's pictures and their painters, in one table.
#include "tools/assetgen/gameart/GameArtList.h"

#include "game/screens/StagePictures.h"

#include "tools/assetgen/gameart/Birds.h"
#include "tools/assetgen/gameart/Creatures.h"
#include "tools/assetgen/gameart/Effects.h"
#include "tools/assetgen/gameart/Fruit.h"
#include "tools/assetgen/gameart/Helpers.h"
#include "tools/assetgen/gameart/Panels.h"
#include "tools/assetgen/gameart/Scenery.h"
#include "tools/assetgen/gameart/Sky.h"
#include "tools/assetgen/gameart/Trees.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

namespace Vuro::AssetGen {

namespace {

using Art::Sheet;
using enum Art::ImageFormat;
using namespace GameArtSizes;

// A painter of the play field's kit (it needs only its sheet), with the table's arguments.
template <auto Paint, auto... Arguments>
void Painted(Sheet& sheet, const GameArtSources&, const std::string&) {
    Paint(sheet, Arguments...);
}

void PaintBlueButton(Sheet& sheet, bool over) {
    PaintButton(sheet, Art::Hex(0x2a64b4), over);
}

void PaintGreenButton(Sheet& sheet, bool over) {
    PaintButton(sheet, Art::Palette::kButtonGreen.Darker(0.2), over);
}

// The stage composite starts from a clear canvas.
void PaintClearCanvas(Sheet&, const GameArtSources&, const std::string&) {}

// A picture of scenery.txt, drawn over the whole field.
void PaintScenery(Sheet& sheet, const GameArtSources& sources, const std::string& name) {
    const auto scene =
        std::find_if(sources.mScenery.begin(), sources.mScenery.end(),
                     [&](const ScenePicture& picture) { return picture.mName == name; });
    const std::string file = sources.mSceneryFile.string();
    if (scene == sources.mScenery.end()) {
        std::fprintf(stderr, "%s: no picture %s\n", file.c_str(), name.c_str());
        std::exit(1);
    }
    sheet.DrawCel(0, [&](cairo_t* cr) {
        if (!PaintScenePicture(cr, *scene, file)) {
            std::exit(1); // the scenery named the prop it could not paint
        }
    });
}

constexpr GameArtPicture kFieldPictures[] = {
    // Panels, buttons and screens over the field
    {"images/help_panel", 1, 1, 598, 196, Png, Painted<PaintHelpPanel>},
    {"images/black", 1, 1, kFieldWidth, kFieldHeight, Gif, Painted<PaintBlack>},
    {"images/stat_button", 1, 1, kButtonWidth, kButtonHeight, Png,
     Painted<PaintGreenButton, false>},
    {"images/stat_button_over", 1, 1, kButtonWidth, kButtonHeight, Png,
     Painted<PaintGreenButton, true>},
    {"images/stat_low", 1, 1, 500, 370, Png, Painted<PaintStatPanel>},
    {"images/dlg", 1, 1, 400, 200, Png, Painted<PaintDialogFrame>},
    {"images/button_1", 1, 1, kButtonWidth, kButtonHeight, Png, Painted<PaintBlueButton, false>},
    {"images/button_1over", 1, 1, kButtonWidth, kButtonHeight, Png, Painted<PaintBlueButton, true>},
    {"images/dlg_button", 1, 3, kButtonWidth, 36, Png, Painted<PaintDialogButtons>},
    {"images/gameover", 1, 1, 418, 112, Tga, Painted<PaintGameOver>},
    {"images/levelcompleted", 1, 1, 438, 188, Tga, Painted<PaintLevelCompleted>},
    {"images/curtain", 1, 1, 127, kFieldHeight, Tga, Painted<PaintCurtain>},
    {"images/side", 1, 1, 230, 52, Png, Painted<PaintBanner>},
    {"images/menu_ingame", 1, 1, kFieldWidth, kFieldHeight - kFieldBottom, Png,
     Painted<PaintFieldPanel>},
    {"images/circles", 1, 7, 40, 40, Png, Painted<PaintStatusIcons>},
    {"images/bonus", 1, 7, 32, 40, Png, Painted<PaintBonusItems>},
    // Cursors, centred on the mouse
    {"images/cursor", 1, 1, 48, 48, Png, Painted<PaintAimCursor, true>},
    {"images/cursor2", 1, 1, 48, 48, Png, Painted<PaintAimCursor, false>},
    {"images/menu_cursor", 1, 1, 48, 48, Png, Painted<PaintMenuCursor>},
    // The program's icon, at the size desktops show in their window switchers
    {"images/IDI_MAIN_ICON", 1, 1, kIconSize, kIconSize, Png, Painted<PaintMainIcon, kIconSize>},
    // Trees and fruit
    {"images/appletree", 1, 1, kTreeWidth, kTreeHeight, Png, Painted<PaintTree, 1>},
    {"images/peartree", 1, 1, kTreeWidth, kTreeHeight, Png, Painted<PaintTree, 2>},
    {"images/plumtree", 1, 1, kTreeWidth, kTreeHeight, Png, Painted<PaintTree, 3>},
    {"images/orangetree", 1, 1, kTreeWidth, kTreeHeight, Png, Painted<PaintTree, 4>},
    {"images/appleanim", 1, 6, kFruitSize, kFruitSize, Png, Painted<PaintFruitAnim, 1>},
    {"images/pearanim", 1, 6, kFruitSize, kFruitSize, Png, Painted<PaintFruitAnim, 2>},
    {"images/plumanim", 1, 6, kFruitSize, kFruitSize, Png, Painted<PaintFruitAnim, 3>},
    {"images/orangeanim", 1, 6, kFruitSize, kFruitSize, Png, Painted<PaintFruitAnim, 4>},
    {"images/applegerm", 1, 4, kFruitSize, kFruitSize, Png, Painted<PaintFruitGerm, 1>},
    {"images/peargerm", 1, 4, kFruitSize, kFruitSize, Png, Painted<PaintFruitGerm, 2>},
    {"images/plumgerm", 1, 4, kFruitSize, kFruitSize, Png, Painted<PaintFruitGerm, 3>},
    {"images/orangegerm", 1, 4, kFruitSize, kFruitSize, Png, Painted<PaintFruitGerm, 4>},
    {"images/fruitfly", 1, 3, 30, 20, Gif, Painted<PaintFruitFly>},
    // Creatures
    {"images/bird", 1, 10, 62, 44, Png, Painted<PaintBirdFlight, 0>},
    {"images/birdblack", 1, 8, 66, 46, Png, Painted<PaintBirdFlight, 1>},
    {"images/birdwhite", 1, 10, 62, 44, Png, Painted<PaintBirdFlight, 2>},
    {"images/birdkamikadze", 1, 4, 80, 40, Png, Painted<PaintBirdFlight, 3>},
    {"images/bird_shot", 1, 2, 62, 44, Png, Painted<PaintBirdShot, 0>},
    {"images/birdblack_shot", 1, 2, 66, 46, Png, Painted<PaintBirdShot, 1>},
    {"images/birdwhite_shot", 1, 2, 62, 44, Png, Painted<PaintBirdShot, 2>},
    {"images/birdkamikadze_shot", 1, 2, 80, 40, Png, Painted<PaintBirdShot, 3>},
    {"images/flash_blue", 1, 8, 72, 58, Png, Painted<PaintBirdFlash, 0>},
    {"images/Flash_black", 1, 8, 78, 62, Png, Painted<PaintBirdFlash, 1>},
    {"images/Flash_white", 1, 8, 72, 58, Png, Painted<PaintBirdFlash, 2>},
    {"images/Flash_kamikadze", 1, 8, 114, 50, Png, Painted<PaintBirdFlash, 3>},
    {"images/cater", 1, 8, 20, 20, Png, Painted<PaintCaterpillar>},
    {"images/hedgehog", 2, 5, 44, 40, Png, Painted<PaintHedgehog>},
    {"images/flash_hedgehog", 1, 6, 54, 48, Png, Painted<PaintHedgehogFlash>},
    // The player's helpers and their effects
    {"images/slingshot", 1, 1, 20, 30, Png, Painted<PaintSlingshot>},
    {"images/stone", 1, 1, 10, 10, Png, Painted<PaintStone>},
    {"images/broom", 1, 2, 52, 62, Png, Painted<PaintBroom>},
    {"images/autocar", 1, 3, 64, 38, Png, Painted<PaintAutocar>},
    {"images/smoke", 1, 8, 36, 32, Png, Painted<PaintSmoke>},
    {"images/shot", 2, 5, 120, 100, Png, Painted<PaintShotFlash>},
    {"images/magicshot", 2, 5, 80, 64, Png, Painted<PaintMagicShot>},
    // Weather and sky; the lightning reaches down to the strip under the field
    {"images/lightning", 1, 8, 110, kFieldBottom, Png, Painted<PaintLightning>},
    {"images/clouds", 1, 1, 246, 90, Png, Painted<PaintRainCloud>},
    {"images/rain", 4, 1, 240, 52, Png, Painted<PaintRain>},
    {"images/sky", 1, 1, kFieldWidth, 200, Png, Painted<PaintCloudStrip, false>},
    {"images/skynight", 1, 1, kFieldWidth, 200, Png, Painted<PaintCloudStrip, true>},
    {"images/sun", 1, 2, 133, 133, Png, Painted<PaintSun>},
    {"images/month", 1, 2, 133, 133, Png, Painted<PaintMoon>},
    {"images/stars", 1, 3, 610, 260, Gif, Painted<PaintStars>},
    {"images/background_menu", 1, 1, kFieldWidth, kFieldHeight, Jpeg, Painted<PaintDayBackground>},
    {"images/background_night", 1, 1, kFieldWidth, kFieldHeight, Jpeg,
     Painted<PaintNightBackground>},
    // The stage composite's canvas
    {"images/empty", 1, 1, kFieldWidth, kFieldHeight, Png, PaintClearCanvas},
};

// After the stage scenery: the ambient animations.
constexpr GameArtPicture kAmbientPictures[] = {
    {"images/house_smoke", 1, 4, 48, 160, Png, Painted<PaintHouseSmoke>},
    {"images/frog", 1, 2, 40, 46, Png, Painted<PaintFrog>},
    {"images/bunny", 1, 2, 36, 44, Png, Painted<PaintBunny>},
    {"images/city_light", 1, 4, 60, 50, Png, Painted<PaintCityLight>},
};

// The file kinds of the stage backgrounds, stages 1..6: the forest and the mountain are JPEG
// pictures with their alpha beside them.
constexpr Art::ImageFormat kBackgroundFormats[kStageCount] = {Png, Png,           JpegWithAlpha,
                                                              Png, JpegWithAlpha, Png};

// The stage scenery of the game's tables: the six theme backgrounds, then the stage pictures by
// stage and number.
std::vector<std::string> SceneryNames() {
    std::vector<std::string> names;
    for (const char* theme : kStageThemes) {
        names.push_back(std::string("images/") + theme);
    }
    std::vector<GameStagePicture> pictures(std::begin(kStagePictures), std::end(kStagePictures));
    std::sort(pictures.begin(), pictures.end(),
              [](const GameStagePicture& a, const GameStagePicture& b) {
                  return std::pair(a.mStage, a.mNumber) < std::pair(b.mStage, b.mNumber);
              });
    for (const GameStagePicture& picture : pictures) {
        names.push_back("images/" + StagePictureName(picture));
    }
    return names;
}

// The field's pictures, the stage scenery (each drawn over the whole field at 0, 0 from
// scenery.txt), then the ambient animations.
std::vector<GameArtPicture> MakeGameArtPictures() {
    static const std::vector<std::string> sceneryNames = SceneryNames();
    std::vector<GameArtPicture> pictures(std::begin(kFieldPictures), std::end(kFieldPictures));
    for (size_t index = 0; index < sceneryNames.size(); ++index) {
        const Art::ImageFormat format = index < kStageCount ? kBackgroundFormats[index] : Png;
        pictures.emplace_back(sceneryNames[index].c_str(), 1, 1, kFieldWidth, kFieldHeight, format,
                              PaintScenery);
    }
    pictures.insert(pictures.end(), std::begin(kAmbientPictures), std::end(kAmbientPictures));
    return pictures;
}

} // namespace

std::span<const GameArtPicture> GameArtPictures() {
    static const std::vector<GameArtPicture> pictures = MakeGameArtPictures();
    return pictures;
}

} // namespace Vuro::AssetGen
