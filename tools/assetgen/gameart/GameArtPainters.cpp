#include "tools/assetgen/gameart/GameArtPainters.h"

#include "tools/assetgen/gameart/Birds.h"
#include "tools/assetgen/gameart/Creatures.h"
#include "tools/assetgen/gameart/Effects.h"
#include "tools/assetgen/gameart/Fruit.h"
#include "tools/assetgen/gameart/Helpers.h"
#include "tools/assetgen/gameart/Panels.h"
#include "tools/assetgen/gameart/Scenery.h"
#include "tools/assetgen/gameart/Sky.h"
#include "tools/assetgen/gameart/Trees.h"

namespace Vuro::AssetGen {

namespace {

using Art::Sheet;
namespace Palette = Art::Palette;

constexpr const char* kFruitNames[] = {"apple", "pear", "plum", "orange"};
constexpr const char* kBirdNames[] = {"images/bird", "images/birdblack", "images/birdwhite",
                                      "images/birdkamikadze"};
constexpr const char* kFlashNames[] = {"images/flash_blue", "images/Flash_black",
                                       "images/Flash_white", "images/Flash_kamikadze"};

SheetPainter Plain(void (*paint)(Sheet&)) {
    return [paint](Sheet& sheet) { paint(sheet); };
}

} // namespace

bool MakeGameArtPainters(const StepContext& context, std::map<std::string, SheetPainter>& out) {
    for (int kind = 1; kind <= 4; ++kind) {
        const std::string fruit = std::string("images/") + kFruitNames[kind - 1];
        out[fruit + "anim"] = [kind](Sheet& sheet) { PaintFruitAnim(sheet, kind); };
        out[fruit + "germ"] = [kind](Sheet& sheet) { PaintFruitGerm(sheet, kind); };
    }
    for (int kind = 1; kind <= 4; ++kind) {
        const std::string tree = std::string("images/") + kFruitNames[kind - 1] + "tree";
        out[tree] = [kind](Sheet& sheet) { PaintTree(sheet, kind); };
    }
    for (int kind = 0; kind < 4; ++kind) {
        const std::string bird = kBirdNames[kind];
        out[bird] = [kind](Sheet& sheet) { PaintBirdFlight(sheet, kind); };
        out[bird + "_shot"] = [kind](Sheet& sheet) { PaintBirdShot(sheet, kind); };
        out[kFlashNames[kind]] = [kind](Sheet& sheet) { PaintBirdFlash(sheet, kind); };
    }
    out["images/fruitfly"] = Plain(PaintFruitFly);
    out["images/cater"] = Plain(PaintCaterpillar);
    out["images/hedgehog"] = Plain(PaintHedgehog);
    out["images/flash_hedgehog"] = Plain(PaintHedgehogFlash);
    out["images/frog"] = Plain(PaintFrog);
    out["images/bunny"] = Plain(PaintBunny);

    out["images/slingshot"] = Plain(PaintSlingshot);
    out["images/stone"] = Plain(PaintStone);
    out["images/broom"] = Plain(PaintBroom);
    out["images/autocar"] = Plain(PaintAutocar);
    out["images/bonus"] = Plain(PaintBonusItems);
    out["images/circles"] = Plain(PaintStatusIcons);
    out["images/smoke"] = Plain(PaintSmoke);
    out["images/shot"] = Plain(PaintShotFlash);
    out["images/magicshot"] = Plain(PaintMagicShot);
    out["images/lightning"] = Plain(PaintLightning);
    out["images/clouds"] = Plain(PaintRainCloud);
    out["images/rain"] = Plain(PaintRain);
    out["images/house_smoke"] = Plain(PaintHouseSmoke);
    out["images/city_light"] = Plain(PaintCityLight);

    out["images/sky"] = [](Sheet& sheet) { PaintCloudStrip(sheet, false); };
    out["images/skynight"] = [](Sheet& sheet) { PaintCloudStrip(sheet, true); };
    out["images/sun"] = Plain(PaintSun);
    out["images/month"] = Plain(PaintMoon);
    out["images/stars"] = Plain(PaintStars);
    out["images/background_menu"] = Plain(PaintDayBackground);
    out["images/background_night"] = Plain(PaintNightBackground);

    out["images/help_panel"] = Plain(PaintHelpPanel);
    out["images/stat_low"] = Plain(PaintStatPanel);
    out["images/dlg"] = Plain(PaintDialogFrame);
    out["images/dlg_button"] = Plain(PaintDialogButtons);
    out["images/button_1"] = [](Sheet& s) { PaintButton(s, Art::Hex(0x2a64b4), false); };
    out["images/button_1over"] = [](Sheet& s) { PaintButton(s, Art::Hex(0x2a64b4), true); };
    out["images/stat_button"] = [](Sheet& s) {
        PaintButton(s, Palette::kButtonGreen.Darker(0.2), false);
    };
    out["images/stat_button_over"] = [](Sheet& s) {
        PaintButton(s, Palette::kButtonGreen.Darker(0.2), true);
    };
    out["images/side"] = Plain(PaintBanner);
    out["images/menu_ingame"] = Plain(PaintFieldPanel);
    out["images/curtain"] = Plain(PaintCurtain);
    out["images/gameover"] = Plain(PaintGameOver);
    out["images/levelcompleted"] = Plain(PaintLevelCompleted);
    out["images/black"] = Plain(PaintBlack);
    out["images/cursor"] = [](Sheet& sheet) { PaintAimCursor(sheet, true); };
    out["images/cursor2"] = [](Sheet& sheet) { PaintAimCursor(sheet, false); };
    out["images/menu_cursor"] = Plain(PaintMenuCursor);
    // The stage composite starts from a clear canvas.
    out["images/empty"] = [](Sheet&) {};

    const std::filesystem::path sceneFile = context.mAssets / "gameart" / "scenery.txt";
    std::vector<ScenePicture> scenes;
    if (!ReadSceneFile(sceneFile, scenes)) {
        return false;
    }
    for (const ScenePicture& scene : scenes) {
        const std::string file = sceneFile.string();
        out[scene.mName] = [scene, file](Sheet& sheet) {
            sheet.DrawCel(0, [&](cairo_t* cr) {
                if (!PaintScenePicture(cr, scene, file)) {
                    std::exit(1);
                }
            });
        };
    }
    return true;
}

} // namespace Vuro::AssetGen
