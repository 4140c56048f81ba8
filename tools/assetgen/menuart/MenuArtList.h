#pragma once
// Every picture of the screens around the play field: the menu art set in its load order, the
// intro's pictures, the loading screen's pairs, with the cel grid (rows x columns) the screens
// cut each into, the size of one cel and the file kind. The asset tool paints them (menuart
// step); the tests read each one back through the game's image reader. Pictures that the play
// field's image set also loads (the sky, the sun, dialogs, button_1, ...) belong to the gameart
// step and are not listed here.

#include <string_view>

namespace Vuro::AssetGen {

enum class MenuArtFormat {
    Png,
    Jpeg,
    JpegWithAlpha, // a JPEG and its alpha in "_" + name, a PNG whose blue channel is the alpha
    Tga,
    Gif,
    PalettePng, // a PNG of at most 255 colours, which the game turns into a palettised image
};

struct MenuArtPicture {
    const char* mName; // as the screens load it, under bin/, without extension
    int mRows;
    int mColumns;
    int mCelWidth;
    int mCelHeight;
    MenuArtFormat mFormat;
};

inline constexpr MenuArtPicture kMenuArtPictures[] = {
    // The menu art set, in its load order
    {"images/logo_RU", 1, 2, 120, 60, MenuArtFormat::Png},
    {"images/easy", 1, 1, 136, 24, MenuArtFormat::Png},
    {"images/easy_over", 1, 1, 136, 24, MenuArtFormat::Png},
    {"images/easy_enable", 1, 1, 136, 24, MenuArtFormat::Png},
    {"images/easy_enable_over", 1, 1, 136, 24, MenuArtFormat::Png},
    {"images/octi", 1, 2, 56, 48, MenuArtFormat::Png},
    {"images/ship", 1, 4, 64, 44, MenuArtFormat::Png},
    {"images/ship2", 1, 4, 48, 40, MenuArtFormat::Png},
    {"images/painttable", 1, 1, 640, 480, MenuArtFormat::Jpeg},
    {"images/cred1", 1, 1, 250, 300, MenuArtFormat::PalettePng},
    {"images/cred2", 1, 1, 250, 300, MenuArtFormat::PalettePng},
    {"images/cred3", 1, 1, 250, 300, MenuArtFormat::PalettePng},
    {"images/cred4", 1, 1, 250, 300, MenuArtFormat::PalettePng},
    {"images/cred5", 1, 1, 250, 300, MenuArtFormat::PalettePng},
    {"images/cred6", 1, 1, 250, 300, MenuArtFormat::PalettePng},
    {"images/cred7", 1, 1, 250, 300, MenuArtFormat::Gif},
    {"images/start", 1, 1, 640, 480, MenuArtFormat::Jpeg},
    {"images/end", 1, 1, 640, 480, MenuArtFormat::Jpeg},
    {"images/play", 1, 1, 100, 46, MenuArtFormat::Png},
    {"images/map", 1, 1, 640, 480, MenuArtFormat::Jpeg},
    {"images/curpoint", 1, 1, 24, 24, MenuArtFormat::Png},
    {"images/emptypoint", 1, 1, 20, 20, MenuArtFormat::Png},
    {"images/fillpoint", 1, 1, 20, 20, MenuArtFormat::Png},
    {"images/levelselect1", 1, 1, 164, 104, MenuArtFormat::Png},
    {"images/levelselect2", 1, 1, 284, 166, MenuArtFormat::Png},
    {"images/levelselect3", 1, 1, 194, 210, MenuArtFormat::Png},
    {"images/levelselect6", 1, 1, 256, 166, MenuArtFormat::Png},
    {"images/levelselect5", 1, 1, 216, 228, MenuArtFormat::Png},
    {"images/levelselect4", 1, 1, 268, 134, MenuArtFormat::Png},
    {"images/lock", 1, 1, 30, 36, MenuArtFormat::Tga},
    {"images/stat", 1, 1, 640, 480, MenuArtFormat::Jpeg},
    {"images/light", 2, 1, 72, 18, MenuArtFormat::Png},
    {"images/slider", 1, 1, 72, 18, MenuArtFormat::Png},
    {"images/sliderthumb", 1, 1, 26, 30, MenuArtFormat::Png},
    {"images/button1", 1, 1, 100, 42, MenuArtFormat::Png},
    {"images/buttonover1", 1, 1, 116, 62, MenuArtFormat::Png},
    {"images/button2", 1, 1, 76, 42, MenuArtFormat::Png},
    {"images/buttonover2", 1, 1, 86, 72, MenuArtFormat::Png},
    {"images/button3", 1, 1, 91, 44, MenuArtFormat::Png},
    {"images/buttonover3", 1, 1, 105, 78, MenuArtFormat::Png},
    {"images/button4", 1, 1, 101, 43, MenuArtFormat::Png},
    {"images/buttonover4", 1, 1, 129, 65, MenuArtFormat::Png},
    {"images/button5", 1, 1, 99, 35, MenuArtFormat::Png},
    {"images/buttonover5", 1, 1, 135, 65, MenuArtFormat::Png},
    {"images/button6", 1, 1, 113, 39, MenuArtFormat::Png},
    {"images/buttonover6", 1, 1, 123, 57, MenuArtFormat::Png},
    {"images/button7", 1, 1, 93, 41, MenuArtFormat::Png},
    {"images/buttonover7", 1, 1, 121, 57, MenuArtFormat::Png},
    {"images/profileicon", 1, 1, 222, 78, MenuArtFormat::Png},
    {"images/profileiconover", 1, 1, 222, 78, MenuArtFormat::Png},
    {"images/menu", 1, 1, 640, 480, MenuArtFormat::JpegWithAlpha},
    // The intro
    {"images/splash1", 1, 1, 640, 480, MenuArtFormat::Jpeg},
    {"images/splash2", 1, 1, 640, 480, MenuArtFormat::Jpeg},
    {"images/kelmontrave", 1, 1, 340, 120, MenuArtFormat::Png},
    {"images/introload_empty", 1, 1, 230, 36, MenuArtFormat::Png},
    {"images/introload_full", 1, 1, 230, 36, MenuArtFormat::Png},
    {"images/Logo_game_ru", 1, 1, 640, 480, MenuArtFormat::Jpeg},
    // The loading screen: frame and fill of each pair
    {"images/load_1x", 1, 1, 306, 134, MenuArtFormat::Png},
    {"images/load_1", 1, 1, 306, 134, MenuArtFormat::Png},
    {"images/load_2x", 1, 1, 306, 134, MenuArtFormat::Png},
    {"images/load_2", 1, 1, 306, 134, MenuArtFormat::Png},
    {"images/load_4x", 1, 1, 306, 134, MenuArtFormat::Png},
    {"images/load_4", 1, 1, 306, 134, MenuArtFormat::Png},
};

// The entry of a picture, or null.
constexpr const MenuArtPicture* FindMenuArtPicture(std::string_view name) {
    for (const MenuArtPicture& picture : kMenuArtPictures) {
        if (name == picture.mName) {
            return &picture;
        }
    }
    return nullptr;
}

} // namespace Vuro::AssetGen
