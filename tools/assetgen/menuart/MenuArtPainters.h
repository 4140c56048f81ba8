#pragma once
// The painters of the menu art, which MenuArtList.cpp puts in its table: each paints its picture
// into a sheet of the size and cel grid the table gives, from the sources under assets/menuart/.

#include "tools/assetgen/art/Sheet.h"
#include "tools/assetgen/menuart/MenuArtSources.h"
#include "tools/assetgen/menuart/MenuScenes.h"

#include <string>

namespace Vuro::AssetGen {

// What the menu art's painters read, loaded once before they run.
struct MenuArtInputs {
    MenuArtSources mSources; // captions and the stage map's layout
    MenuScenes mScenes;      // scenes.txt
};

// The stage map and a stage's highlight where the map draws it (MapArt.cpp).
void PaintMap(Art::Sheet& sheet, const MenuArtSources& sources);
void PaintLevelSelect(Art::Sheet& sheet, const MenuArtSources& sources, int stage);
// The pieces the map draws over it (MapSprites.cpp).
void PaintEmptyPoint(Art::Sheet& sheet, const MenuArtSources& sources);
void PaintFillPoint(Art::Sheet& sheet, const MenuArtSources& sources);
void PaintCurrentPoint(Art::Sheet& sheet, const MenuArtSources& sources);
void PaintLock(Art::Sheet& sheet, const MenuArtSources& sources);
void PaintShip(Art::Sheet& sheet, const MenuArtSources& sources);
void PaintRowingBoat(Art::Sheet& sheet, const MenuArtSources& sources);
void PaintOctopus(Art::Sheet& sheet, const MenuArtSources& sources);
// The main menu's buttons (MenuButtons.cpp); signs are numbered 1..7 as the menu's buttons.
void PaintMenuSign(Art::Sheet& sheet, const MenuArtSources& sources, int number);
void PaintLitMenuSign(Art::Sheet& sheet, const MenuArtSources& sources, int number);
void PaintPlaySign(Art::Sheet& sheet, const MenuArtSources& sources);
void PaintProfilePlaque(Art::Sheet& sheet, const MenuArtSources& sources, bool lit);
void PaintEasyToggle(Art::Sheet& sheet, const MenuArtSources& sources, bool enabled, bool lit);
// The options dialog's controls (Controls.cpp).
void PaintLamp(Art::Sheet& sheet, const MenuArtSources& sources);
void PaintSliderTrack(Art::Sheet& sheet, const MenuArtSources& sources);
void PaintSliderThumb(Art::Sheet& sheet, const MenuArtSources& sources);
// The intro's logo and loading bar (IntroArt.cpp).
void PaintDeveloperLogo(Art::Sheet& sheet, const MenuArtSources& sources);
void PaintLoadingTube(Art::Sheet& sheet, const MenuArtSources& sources, bool full);
// The credits' background (PaintTable.cpp).
void PaintTableTop(Art::Sheet& sheet, const MenuArtSources& sources);
// The publisher's logo and the pictures of scenes.txt (ScenePictures.cpp): a scene by the
// picture's name, and the loading screen's dim twin "<name>x" of the scene <name>.
void PaintPublisherLogo(Art::Sheet& sheet, const MenuArtSources& sources);
void PaintMenuScene(Art::Sheet& sheet, const MenuArtInputs& inputs, const std::string& name);
void PaintDimmedMenuScene(Art::Sheet& sheet, const MenuArtInputs& inputs, const std::string& name);

} // namespace Vuro::AssetGen
