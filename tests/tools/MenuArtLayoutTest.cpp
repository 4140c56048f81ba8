// The menu art against the screens that draw it: every picture the menu art set, the intro and
// the loading screen load is made, with the cel grid its screen cuts it into, and sized for the
// places the screens draw it at (a highlight covers its button, the current level point stands
// two pixels out around the others, pairs match, screens fill 640 x 480).

#include "game/screens/BoardIntro.h"
#include "game/screens/BoardLoading.h"
#include "game/screens/MenuArtSet.h"
#include "tools/assetgen/gameart/GameArtList.h"
#include "tools/assetgen/menuart/MenuArtList.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace Vuro::Test {
namespace {

using AssetGen::FindMenuArtPicture;
using AssetGen::MenuArtPicture;

struct Box {
    int x, y, w, h;
};

// What a screen draws of a picture at (x, y): one cel.
Box At(const char* name, int x, int y) {
    const MenuArtPicture* picture = FindMenuArtPicture(name);
    EXPECT_NE(picture, nullptr) << name;
    if (picture == nullptr) {
        return {x, y, 0, 0};
    }
    return {x, y, picture->mCelWidth, picture->mCelHeight};
}

bool Contains(const Box& outer, const Box& inner) {
    return outer.x <= inner.x && outer.y <= inner.y && outer.x + outer.w >= inner.x + inner.w &&
           outer.y + outer.h >= inner.y + inner.h;
}

// Every picture the menu art set, the intro and the loading screen load, by the screens' own
// tables: made by the menu art step, or by the game art step for the play field's pictures the
// menu shares, with the cel grid the screen cuts it into; the menu art step makes nothing else.
TEST(MenuArtLayoutTest, EveryLoadIsMadeWithItsCelGrid) {
    std::map<std::string, std::pair<int, int>> loads; // file: rows, columns
    for (const MenuArtStep& step : MenuArtSet::LoadTable()) {
        if (step.mKind == MenuArtStep::Picture || step.mKind == MenuArtStep::OptionalPicture) {
            loads[step.mFile] = {step.mRows, step.mCols};
        }
    }
    std::vector<std::string> single = BoardIntro::RequiredPictures();
    single.insert(single.end(), {BoardIntro::kFirstSplashFile, BoardIntro::kSecondSplashFile});
    for (const BoardLoading::PicturePair& pair : BoardLoading::Pairs()) {
        single.insert(single.end(), {pair.mFrame, pair.mFill});
    }
    for (const std::string& file : single) {
        loads[file] = {1, 1};
    }
    for (const auto& load : loads) {
        const std::string& file = load.first; // not a binding: clang does not capture those
        const std::pair<int, int>& grid = load.second;
        SCOPED_TRACE(file);
        const MenuArtPicture* menu = FindMenuArtPicture(file);
        const auto gamePictures = AssetGen::GameArtPictures();
        const auto game = std::find_if(
            gamePictures.begin(), gamePictures.end(),
            [&](const AssetGen::GameArtPicture& picture) { return file == picture.mName; });
        if (menu != nullptr) {
            EXPECT_EQ(std::pair(menu->mRows, menu->mColumns), grid);
        } else if (game != gamePictures.end()) {
            EXPECT_EQ(std::pair(game->mRows, game->mColumns), grid);
        } else {
            ADD_FAILURE() << "made by no step";
        }
    }
    for (const MenuArtPicture& picture : AssetGen::MenuArtPictures()) {
        EXPECT_EQ(loads.count(picture.mName), 1u) << picture.mName << " is loaded by no screen";
    }
}

TEST(MenuArtLayoutTest, PicturesFitWhereTheScreensDrawThem) {
    const Box screen{0, 0, 640, 480};
    // The main menu's buttons: picture, highlight (drawn one pixel lower while pressed) and the
    // region that takes the click.
    struct MenuButton {
        int number;
        int x, y, overX, overY;
        Box region;
    };
    const MenuButton buttons[] = {
        {3, 258, 158, 251, 141, {249, 156, 110, 48}}, {4, 253, 215, 239, 204, {249, 214, 110, 46}},
        {5, 254, 271, 236, 256, {249, 270, 110, 37}}, {6, 247, 316, 242, 307, {249, 315, 110, 41}},
        {7, 257, 359, 243, 351, {249, 361, 110, 40}}, {2, 533, 407, 528, 392, {530, 406, 83, 46}},
    };
    for (const MenuButton& b : buttons) {
        const std::string number = std::to_string(b.number);
        const Box button = At(("images/button" + number).c_str(), b.x, b.y);
        const Box over = At(("images/buttonover" + number).c_str(), b.overX, b.overY);
        EXPECT_TRUE(Contains(over, button)) << "highlight " << number << " leaves its button out";
        const Box near{b.region.x - 10, b.region.y - 4, b.region.w + 20, b.region.h + 8};
        EXPECT_TRUE(Contains(near, button)) << "button " << number << " strays from its region";
        EXPECT_TRUE(Contains(screen, Box{over.x, over.y + 1, over.w, over.h}));
    }
    EXPECT_TRUE(Contains(Box{0, 0, 223, 80}, At("images/profileiconover", 0, 2)));

    // Level points: a 20 x 20 box; the current one is drawn 2 pixels up and left of it.
    const Box point = At("images/emptypoint", 100, 100);
    EXPECT_EQ(point.w, 20);
    EXPECT_EQ(point.h, 20);
    const Box current = At("images/curpoint", 98, 98);
    EXPECT_EQ(current.w, point.w + 4);
    EXPECT_EQ(current.h, point.h + 4);
    EXPECT_EQ(At("images/fillpoint", 0, 0).w, point.w);

    for (const char* full : {"images/map", "images/stat", "images/painttable", "images/start",
                             "images/end", "images/menu", "images/Logo_game_ru"}) {
        const Box box = At(full, 0, 0);
        EXPECT_EQ(box.w, 640) << full;
        EXPECT_EQ(box.h, 480) << full;
    }
    // The stage highlights and the sea animations at their places on the map.
    const std::pair<const char*, std::pair<int, int>> places[] = {
        {"images/levelselect1", {118, 367}}, {"images/levelselect2", {155, 264}},
        {"images/levelselect3", {16, 138}},  {"images/levelselect4", {177, 46}},
        {"images/levelselect5", {423, 61}},  {"images/levelselect6", {197, 154}},
        {"images/lock", {490, 145}},         {"images/octi", {385, 15}},
        {"images/ship", {410, 377}},         {"images/ship2", {5, 268}},
        {"images/cred1", {370, 60}},         {"images/play", {468, 423}},
        {"images/logo_RU", {10, 340}},       {"images/kelmontrave", {150, 180}},
    };
    for (const auto& [name, place] : places) {
        EXPECT_TRUE(Contains(screen, At(name, place.first, place.second))) << name;
    }
    // The credits' hot spot holds the lit sign; the intro's bars fill the start box.
    EXPECT_TRUE(Contains(Box{450, 415, 127, 61}, At("images/play", 468, 423)));
    const Box empty = At("images/introload_empty", 206, 428);
    EXPECT_EQ(empty.w, At("images/introload_full", 206, 428).w);
    EXPECT_TRUE(Contains(Box{206, 428, 230, 38}, empty));
    // Loading pictures: each frame is the size of its fill, both centred on the black screen.
    for (const char* pair : {"images/load_1", "images/load_2", "images/load_4"}) {
        const Box fill = At(pair, 167, 173);
        const Box frame = At((std::string(pair) + "x").c_str(), 167, 173);
        EXPECT_EQ(fill.w, frame.w);
        EXPECT_EQ(fill.h, frame.h);
        EXPECT_TRUE(Contains(screen, fill));
    }
    // The options dialog cuts the check box picture in halves and the slider track in thirds.
    EXPECT_EQ(FindMenuArtPicture("images/light")->mCelWidth % 2, 0);
    EXPECT_EQ(FindMenuArtPicture("images/slider")->mCelWidth % 3, 0);
}

} // namespace
} // namespace Vuro::Test
