#pragma once
// The screens' scenes, listed in assets/menuart/scenes.txt in the scenery's own format (one
// "picture NAME" and its props, back to front). Props are those of the play field's scenery
// (hills, meadows, houses, ...) and the menu's own below, so the screens look like the garden the
// game is played in:
//
//   sky night=0                         the day (or night) sky of the field, glow and all
//   cloud x= y= w=                      a cloud whose bottom middle is at x, y
//   sun x= y= size=                     the field's sun, its middle at x, y, `size` across
//   fruittree x= y= h= r= kind= fruit= seed=   a fruit tree standing at x, y
//   fruit x= y= kind= scale= look=      one fruit (look: ripe, golden, unripe, fallen)
//   basket x= y= w= kinds=1234 seed=    a wicker basket heaped with fruit, standing at x, y
//   signpost x= y= top=                 the menu's signpost, standing at x, y
//   plank|parchment|ribbon|board x= y= w= h=   the menu's wooden and paper plaques
//   chalkboard x= y= w= h=              a framed green board to write on (rows=Y count= step=
//                                       chalk lines under the rows, columns=X,X between them)
//   caption key= x= y= size= fill= align=left|centre|right   lines of captions.txt, baseline y
//   title key= x= y= size=              the game's title lettering, centred on x
//   sign key= x= y= w= h= lit=0         a sign of the menu's look
//   shade y0= y1= alpha=                a darkening toward y1, under text written on the ground
//   view scale= x= y= clipx0= clipy0= clipx1= clipy1=   the props after it are scaled, then
//                                       moved by x, y, and clipped to the box (in pixels)
//
// Colour names are those of the scenery (grass, leaf, gold, ...).

#include "tools/assetgen/art/Sheet.h"
#include "tools/assetgen/gameart/SceneFile.h"
#include "tools/assetgen/menuart/MenuArtSources.h"

#include <filesystem>
#include <string>
#include <vector>

namespace Vuro::AssetGen {

class MenuScenes {
public:
    // False with a message when the file does not read.
    bool Read(const std::filesystem::path& file);
    // Paints the scene of `picture` onto the sheet; false with a message for an unknown prop.
    bool Paint(const std::string& picture, cairo_t* cr, const MenuArtSources& sources) const;

private:
    std::filesystem::path mFile;
    std::vector<ScenePicture> mPictures;
};

} // namespace Vuro::AssetGen
