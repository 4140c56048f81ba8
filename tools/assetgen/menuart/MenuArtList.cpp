// The screens' pictures and their painters, in one table.
#include "tools/assetgen/menuart/MenuArtList.h"

#include "game/rules/FieldGeometry.h"
#include "tools/assetgen/menuart/MenuArtPainters.h"

#include <algorithm>

namespace Vuro::AssetGen {

namespace {

using Art::Sheet;
using enum Art::ImageFormat;

// A painter that reads the captions and the map's layout, with the table's arguments.
template <auto Paint, auto... Arguments>
void Painted(Sheet& sheet, const MenuArtInputs& inputs, const std::string&) {
    Paint(sheet, inputs.mSources, Arguments...);
}

constexpr MenuArtPicture kMenuArtPictures[] = {
    // The menu art set, in its load order
    {"images/logo_RU", 1, 2, 120, 60, Png, Painted<PaintPublisherLogo>},
    {"images/easy", 1, 1, 136, 24, Png, Painted<PaintEasyToggle, false, false>},
    {"images/easy_over", 1, 1, 136, 24, Png, Painted<PaintEasyToggle, false, true>},
    {"images/easy_enable", 1, 1, 136, 24, Png, Painted<PaintEasyToggle, true, false>},
    {"images/easy_enable_over", 1, 1, 136, 24, Png, Painted<PaintEasyToggle, true, true>},
    {"images/octi", 1, 2, 56, 48, Png, Painted<PaintOctopus>},
    {"images/ship", 1, 4, 64, 44, Png, Painted<PaintShip>},
    {"images/ship2", 1, 4, 48, 40, Png, Painted<PaintRowingBoat>},
    {"images/painttable", 1, 1, kFieldWidth, kFieldHeight, Jpeg, Painted<PaintTableTop>},
    {"images/cred1", 1, 1, 250, 300, PalettePng, PaintMenuScene},
    {"images/cred2", 1, 1, 250, 300, PalettePng, PaintMenuScene},
    {"images/cred3", 1, 1, 250, 300, PalettePng, PaintMenuScene},
    {"images/cred4", 1, 1, 250, 300, PalettePng, PaintMenuScene},
    {"images/cred5", 1, 1, 250, 300, PalettePng, PaintMenuScene},
    {"images/cred6", 1, 1, 250, 300, PalettePng, PaintMenuScene},
    {"images/cred7", 1, 1, 250, 300, Gif, PaintMenuScene},
    {"images/start", 1, 1, kFieldWidth, kFieldHeight, Jpeg, PaintMenuScene},
    {"images/end", 1, 1, kFieldWidth, kFieldHeight, Jpeg, PaintMenuScene},
    {"images/play", 1, 1, 100, 46, Png, Painted<PaintPlaySign>},
    {"images/map", 1, 1, kFieldWidth, kFieldHeight, Jpeg, Painted<PaintMap>},
    {"images/curpoint", 1, 1, 24, 24, Png, Painted<PaintCurrentPoint>},
    {"images/emptypoint", 1, 1, 20, 20, Png, Painted<PaintEmptyPoint>},
    {"images/fillpoint", 1, 1, 20, 20, Png, Painted<PaintFillPoint>},
    {"images/levelselect1", 1, 1, 164, 104, Png, Painted<PaintLevelSelect, 1>},
    {"images/levelselect2", 1, 1, 284, 166, Png, Painted<PaintLevelSelect, 2>},
    {"images/levelselect3", 1, 1, 194, 210, Png, Painted<PaintLevelSelect, 3>},
    {"images/levelselect6", 1, 1, 256, 166, Png, Painted<PaintLevelSelect, 6>},
    {"images/levelselect5", 1, 1, 216, 228, Png, Painted<PaintLevelSelect, 5>},
    {"images/levelselect4", 1, 1, 268, 134, Png, Painted<PaintLevelSelect, 4>},
    {"images/lock", 1, 1, 30, 36, Tga, Painted<PaintLock>},
    {"images/stat", 1, 1, kFieldWidth, kFieldHeight, Jpeg, PaintMenuScene},
    {"images/light", 2, 1, 72, 18, Png, Painted<PaintLamp>},
    {"images/slider", 1, 1, 72, 18, Png, Painted<PaintSliderTrack>},
    {"images/sliderthumb", 1, 1, 26, 30, Png, Painted<PaintSliderThumb>},
    {"images/button1", 1, 1, 100, 42, Png, Painted<PaintMenuSign, 1>},
    {"images/buttonover1", 1, 1, 116, 62, Png, Painted<PaintLitMenuSign, 1>},
    {"images/button2", 1, 1, 76, 42, Png, Painted<PaintMenuSign, 2>},
    {"images/buttonover2", 1, 1, 86, 72, Png, Painted<PaintLitMenuSign, 2>},
    {"images/button3", 1, 1, 91, 44, Png, Painted<PaintMenuSign, 3>},
    {"images/buttonover3", 1, 1, 105, 78, Png, Painted<PaintLitMenuSign, 3>},
    {"images/button4", 1, 1, 101, 43, Png, Painted<PaintMenuSign, 4>},
    {"images/buttonover4", 1, 1, 129, 65, Png, Painted<PaintLitMenuSign, 4>},
    {"images/button5", 1, 1, 99, 35, Png, Painted<PaintMenuSign, 5>},
    {"images/buttonover5", 1, 1, 135, 65, Png, Painted<PaintLitMenuSign, 5>},
    {"images/button6", 1, 1, 113, 39, Png, Painted<PaintMenuSign, 6>},
    {"images/buttonover6", 1, 1, 123, 57, Png, Painted<PaintLitMenuSign, 6>},
    {"images/button7", 1, 1, 93, 41, Png, Painted<PaintMenuSign, 7>},
    {"images/buttonover7", 1, 1, 121, 57, Png, Painted<PaintLitMenuSign, 7>},
    {"images/profileicon", 1, 1, 222, 78, Png, Painted<PaintProfilePlaque, false>},
    {"images/profileiconover", 1, 1, 222, 78, Png, Painted<PaintProfilePlaque, true>},
    {"images/menu", 1, 1, kFieldWidth, kFieldHeight, JpegWithAlpha, PaintMenuScene},
    // The intro
    {"images/splash1", 1, 1, kFieldWidth, kFieldHeight, Jpeg, PaintMenuScene},
    {"images/splash2", 1, 1, kFieldWidth, kFieldHeight, Jpeg, PaintMenuScene},
    {"images/kelmontrave", 1, 1, 340, 120, Png, Painted<PaintDeveloperLogo>},
    {"images/introload_empty", 1, 1, 230, 36, Png, Painted<PaintLoadingTube, false>},
    {"images/introload_full", 1, 1, 230, 36, Png, Painted<PaintLoadingTube, true>},
    {"images/Logo_game_ru", 1, 1, kFieldWidth, kFieldHeight, Jpeg, PaintMenuScene},
    // The loading screen: frame and fill of each pair
    {"images/load_1x", 1, 1, 306, 134, Png, PaintDimmedMenuScene},
    {"images/load_1", 1, 1, 306, 134, Png, PaintMenuScene},
    {"images/load_2x", 1, 1, 306, 134, Png, PaintDimmedMenuScene},
    {"images/load_2", 1, 1, 306, 134, Png, PaintMenuScene},
    {"images/load_4x", 1, 1, 306, 134, Png, PaintDimmedMenuScene},
    {"images/load_4", 1, 1, 306, 134, Png, PaintMenuScene},
};

} // namespace

std::span<const MenuArtPicture> MenuArtPictures() {
    return kMenuArtPictures;
}

const MenuArtPicture* FindMenuArtPicture(std::string_view name) {
    const auto found =
        std::find_if(std::begin(kMenuArtPictures), std::end(kMenuArtPictures),
                     [&](const MenuArtPicture& picture) { return name == picture.mName; });
    return found == std::end(kMenuArtPictures) ? nullptr : found;
}

} // namespace Vuro::AssetGen
