// The intro's own pictures that stand on their own: the developer's logo, which fades in and out
// on white, and the loading bar under the title (an empty glass tube, and the same tube full of
// juice that the intro uncovers from the left as loading goes on).
#include "tools/assetgen/menuart/MenuArtPainters.h"

#include "tools/assetgen/art/Canvas.h"
#include "tools/assetgen/art/Text.h"

#include <cmath>

namespace Vuro::AssetGen {

using namespace Art;

// The developer's logo: a sprouting seed on a round hill under a sun, the name beside it and
// the line under the name.
void PaintDeveloperLogo(Sheet& sheet, const MenuArtSources& sources) {
    sheet.DrawCel(0, [&](cairo_t* cr) {
        const double cx = 58;
        const double cy = 60;
        const double r = 48;
        auto badge = [=](cairo_t* c) { Ellipse(c, cx, cy, r, r); };
        SoftShadow(cr, badge);
        cairo_new_path(cr);
        badge(cr);
        FillVertical(cr, Palette::kSkyHorizon, Palette::kSkyTop.Lighter(0.3), cy - r, cy + r);
        cairo_save(cr);
        cairo_clip_preserve(cr);
        cairo_new_path(cr);
        ShadedBody(
            cr, [=](cairo_t* c) { Ellipse(c, cx + 18, cy - 16, 13, 13); }, Palette::kSun, cx + 18,
            cy - 16, 13, false, 1.2);
        ShadedBody(
            cr, [=](cairo_t* c) { Ellipse(c, cx, cy + r * 1.05, r * 1.3, r * 0.75); },
            Palette::kGrass, cx - 10, cy + 20, r, false, 1.5);
        cairo_restore(cr);
        // The seedling: a stem and two leaves.
        cairo_move_to(cr, cx - 4, cy + 14);
        cairo_curve_to(cr, cx - 4, cy, cx - 2, cy - 8, cx - 6, cy - 16);
        StrokeWithOutline(cr, Palette::kLeaf, 3);
        for (int side : {-1, 1}) {
            const double bx = cx - 5;
            const double by = cy - 10 + (side > 0 ? 4 : 0);
            cairo_move_to(cr, bx, by);
            cairo_curve_to(cr, bx + side * 6, by - 14, bx + side * 18, by - 12, bx + side * 22,
                           by - 6);
            cairo_curve_to(cr, bx + side * 14, by + 2, bx + side * 6, by + 2, bx, by);
            cairo_close_path(cr);
            FillShaded(cr, Palette::kLeafLight, bx + side * 11, by - 6, 10);
            StrokeOutline(cr, 1.3);
        }
        cairo_new_path(cr);
        badge(cr);
        StrokeOutline(cr, 2.5);

        const std::vector<std::string>& lines = sources.Caption("images/kelmontrave");
        TextStyle name{
            .size = 31, .fill = Palette::kOrange, .outline = 3.5, .align = TextAlign::Left};
        DrawText(cr, lines[0].c_str(), 116, 66, name);
        TextStyle line{.size = 15,
                       .fill = Palette::kLeaf,
                       .outline = 2.5,
                       .shadow = false,
                       .align = TextAlign::Left};
        DrawText(cr, lines[1].c_str(), 120, 92, line);
    });
}

// The glass tube of the loading bar; `full` fills it with juice, bubbles and a shine.
void PaintLoadingTube(Sheet& sheet, const MenuArtSources&, bool full) {
    Canvas& canvas = sheet.GetCanvas();
    const double w = canvas.Width();
    const double h = canvas.Height();
    sheet.DrawCel(0, [&](cairo_t* cr) {
        auto tube = [=](cairo_t* c) { RoundedRect(c, 2, 2, w - 4, h - 5, (h - 5) / 2); };
        auto inside = [=](cairo_t* c) { RoundedRect(c, 6, 6, w - 12, h - 13, (h - 13) / 2); };
        SoftShadow(cr, tube, 1.5, 2, 2, 0.35);
        cairo_new_path(cr);
        tube(cr);
        FillVertical(cr, Palette::kWoodLight, Palette::kWoodDark, 2, h - 3);
        StrokeOutline(cr, 1.5);
        cairo_new_path(cr);
        inside(cr);
        if (full) {
            FillVertical(cr, Palette::kGoldLight, Palette::kOrange, 6, h - 7);
            cairo_save(cr);
            cairo_clip(cr);
            Random random(5);
            for (int i = 0; i < 26; ++i) {
                const double ry = random.Range(1, 2.4);
                const double rx = random.Range(1, 2.4);
                const double cy = random.Range(9, h - 10);
                const double cx = random.Range(10, w - 10);
                Ellipse(cr, cx, cy, rx, ry);
                SetColor(cr, Palette::kWhite, 0.55);
                cairo_fill(cr);
            }
            cairo_restore(cr);
        } else {
            FillVertical(cr, Palette::kOutline.Lighter(0.15), Palette::kOutline.Lighter(0.35), 6,
                         h - 7);
        }
        cairo_new_path(cr);
        inside(cr);
        SetColor(cr, Palette::kOutline);
        cairo_set_line_width(cr, 1.2);
        cairo_stroke(cr);
        // The glass shine along the top.
        RoundedRect(cr, 12, 8, w - 24, 4, 2);
        SetColor(cr, Palette::kWhite, full ? 0.6 : 0.3);
        cairo_fill(cr);
    });
}

} // namespace Vuro::AssetGen
