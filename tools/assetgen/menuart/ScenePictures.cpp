// The pictures painted from scenes.txt: a picture by its scene, the loading screen's dim twins
// of its three pictures, and the publisher's logo with its lit cel.
#include "tools/assetgen/menuart/MenuArtPainters.h"

#include "tools/assetgen/art/Canvas.h"
#include "tools/assetgen/art/ImageFile.h"
#include "tools/assetgen/art/Text.h"
#include "tools/assetgen/gameart/Fruit.h"
#include "tools/assetgen/menuart/Plaques.h"

#include <algorithm>
#include <cstdlib>

namespace Vuro::AssetGen {

using namespace Art;

namespace {

void PaintScene(const MenuScenes& scenes, const std::string& name, cairo_t* cr,
                const MenuArtSources& sources) {
    if (!scenes.Paint(name, cr, sources)) {
        std::exit(1); // the scene file named what it could not paint
    }
}

// The frame of a loading picture: the picture itself, darkened to a cool, grey twin over which
// the loading screen uncovers the coloured one.
void Dim(cairo_surface_t* surface) {
    std::vector<uint32_t> pixels = UnpremultipliedPixels(surface);
    for (uint32_t& p : pixels) {
        const double r = (p >> 16 & 0xFF) / 255.0;
        const double g = (p >> 8 & 0xFF) / 255.0;
        const double b = (p & 0xFF) / 255.0;
        const double grey = 0.3 * r + 0.59 * g + 0.11 * b;
        auto channel = [](double v) {
            return static_cast<uint32_t>(std::clamp(v, 0.0, 1.0) * 255);
        };
        p = (p & 0xFF000000) | channel(grey * 0.38 + 0.04) << 16 | channel(grey * 0.4 + 0.05) << 8 |
            channel(grey * 0.45 + 0.09);
    }
    cairo_surface_t* dimmed = SurfaceFromPixels(pixels, cairo_image_surface_get_width(surface),
                                                cairo_image_surface_get_height(surface));
    cairo_t* cr = cairo_create(surface);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_set_source_surface(cr, dimmed, 0, 0);
    cairo_paint(cr);
    cairo_destroy(cr);
    cairo_surface_destroy(dimmed);
}

} // namespace

// The publisher's badge: an apple and the name on a green board; cel 1 lit up under the mouse.
// It keeps to the top of its cel, where the menu's hot spot is (the cel's top half, 10 pixels
// taller here), and so leaves the credits' painting below it free.
constexpr double kBadgeX = 5, kBadgeY = 3, kBadgeW = 100, kBadgeH = 37;

void PaintPublisherLogo(Sheet& sheet, const MenuArtSources& sources) {
    const std::vector<std::string>& lines = sources.Caption("images/logo_RU");
    sheet.DrawEach([&](cairo_t* cr, int cel) {
        const bool lit = cel == 1;
        if (lit) {
            Plaques::Glow(cr, kBadgeX, kBadgeY, kBadgeW, kBadgeH, 4, Palette::kSunGlow, 1.0);
        }
        const Rgb board = lit ? Palette::kButtonGreen.Lighter(0.25) : Palette::kButtonGreen;
        auto shape = [](cairo_t* c) { RoundedRect(c, kBadgeX, kBadgeY, kBadgeW, kBadgeH, 10); };
        if (!lit) {
            SoftShadow(cr, shape, 2, 3, 2, 0.35);
        }
        cairo_new_path(cr);
        shape(cr);
        FillVertical(cr, board.Lighter(0.2), board.Darker(0.2), kBadgeY, kBadgeY + kBadgeH);
        StrokeOutline(cr, 1.6);
        PaintFruit(cr, 1, FruitLook::Ripe, 8, 7, 1.45);
        TextStyle name{.size = 15,
                       .fill = lit ? Palette::kCaptionYellow : Palette::kWhite,
                       .outline = 2.6,
                       .align = TextAlign::Centre};
        DrawText(cr, lines[0].c_str(), 70, 21, name);
        name.size = 11;
        name.outline = 2.2;
        name.shadow = false;
        DrawText(cr, lines[1].c_str(), 70, 34, name);
    });
}

void PaintMenuScene(Sheet& sheet, const MenuArtInputs& inputs, const std::string& name) {
    sheet.DrawCel(0, [&](cairo_t* cr) { PaintScene(inputs.mScenes, name, cr, inputs.mSources); });
}

void PaintDimmedMenuScene(Sheet& sheet, const MenuArtInputs& inputs, const std::string& name) {
    PaintMenuScene(sheet, inputs, name.substr(0, name.size() - 1));
    Dim(sheet.GetCanvas().Surface());
}

} // namespace Vuro::AssetGen
