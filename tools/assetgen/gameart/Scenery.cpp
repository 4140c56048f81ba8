#include "tools/assetgen/gameart/Scenery.h"

#include <cstdio>

namespace Vuro::AssetGen {

using namespace Art;

Rgb ToneOf(const Prop& prop, const std::string& key, const Rgb& fallback) {
    static const std::map<std::string, Rgb> kTones = {
        {"grass", Palette::kGrass},
        {"grasslight", Palette::kGrassLight},
        {"grassdark", Palette::kGrassDark},
        {"hillfar", Palette::kHillFar},
        {"soil", Palette::kSoil},
        {"path", Palette::kPath},
        {"stone", Palette::kStone},
        {"stonedark", Palette::kStoneDark},
        {"rock", Palette::kRock},
        {"snow", Palette::kSnow},
        {"mountain", Palette::kMountain},
        {"mountainfar", Palette::kMountainFar},
        {"water", Palette::kWater},
        {"leaf", Palette::kLeaf},
        {"leaflight", Palette::kLeafLight},
        {"leafdark", Palette::kLeafDark},
        {"pine", Palette::kPine},
        {"pinedark", Palette::kPineDark},
        {"bark", Palette::kBark},
        {"wood", Palette::kWood},
        {"woodlight", Palette::kWoodLight},
        {"wooddark", Palette::kWoodDark},
        {"roof", Palette::kRoofRed},
        {"wall", Palette::kWallCream},
        {"white", Palette::kWhite},
        {"red", Palette::kFlowerRed},
        {"yellow", Palette::kFlowerYellow},
        {"blue", Palette::kFlowerBlue},
        {"pink", Palette::kFlowerPink},
        {"metal", Palette::kMetal},
        {"curtain", Palette::kCurtain},
        {"gold", Palette::kGold},
        {"bluegrey", Hex(0x8fa3c8)},
        {"lilac", Hex(0xb48fd8)},
        {"teal", Hex(0x3ab0a0)},
        {"sand", Hex(0xe8d6a0)},
        {"brick", Hex(0xc0603a)},
        {"navy", Hex(0x3a4a8a)},
    };
    auto found = kTones.find(prop.Text(key, ""));
    return found == kTones.end() ? fallback : found->second;
}

bool PaintScenePicture(cairo_t* cr, const ScenePicture& picture, const std::string& file) {
    static const std::map<std::string, PropPainter> painters = [] {
        std::map<std::string, PropPainter> all;
        AddLandProps(all);
        AddBuildingProps(all);
        return all;
    }();
    for (const Prop& prop : picture.mProps) {
        auto painter = painters.find(prop.mKind);
        if (painter == painters.end()) {
            std::fprintf(stderr, "%s:%d: unknown prop '%s'\n", file.c_str(), prop.mLine,
                         prop.mKind.c_str());
            return false;
        }
        cairo_save(cr);
        painter->second(cr, prop);
        cairo_restore(cr);
    }
    return true;
}

} // namespace Vuro::AssetGen
