#include "tools/assetgen/menuart/MapProps.h"

#include "tools/assetgen/art/Canvas.h"
#include "tools/assetgen/art/Text.h"

#include <cmath>

namespace Vuro::AssetGen::MapProps {

using namespace Art;

namespace {

constexpr double kLine = 1.0; // outline width at the map's scale

void GroundShadow(cairo_t* cr, double x, double y, double rx) {
    Ellipse(cr, x + rx * 0.25, y, rx, rx * 0.32);
    SetColor(cr, Palette::kShadow, 0.28);
    cairo_fill(cr);
}

// Fills the current path with a left-to-right light (lit side left) and outlines it.
void FillLitAndOutline(cairo_t* cr, const Rgb& base, double x0, double x1) {
    FillLitFromLeft(cr, base, x0, x1, 0.25);
    StrokeOutline(cr, kLine);
}

void Roof(cairo_t* cr, double x0, double x1, double eaves, double top, const Rgb& roof) {
    cairo_move_to(cr, x0 - 1.5, eaves);
    cairo_line_to(cr, (x0 + x1) / 2, top);
    cairo_line_to(cr, x1 + 1.5, eaves);
    cairo_close_path(cr);
    FillLitAndOutline(cr, roof, x0, x1);
}

} // namespace

void RoundTree(cairo_t* cr, double x, double y, double r, const Rgb& leaf, bool fruit) {
    GroundShadow(cr, x, y, r * 0.9);
    cairo_rectangle(cr, x - r * 0.18, y - r * 1.1, r * 0.36, r * 1.1);
    SetColor(cr, Palette::kBark);
    cairo_fill_preserve(cr);
    StrokeOutline(cr, kLine * 0.8);
    const double cy = y - r * 1.55;
    Blob(cr, x, cy, r, r * 0.92, 0.07, 5, x);
    FillShaded(cr, leaf, x, cy, r);
    StrokeOutline(cr, kLine);
    if (fruit) {
        const double spots[][2] = {{-0.45, 0.1}, {0.35, -0.3}, {0.15, 0.45}, {-0.1, -0.55}};
        for (const auto& s : spots) {
            Ellipse(cr, x + s[0] * r, cy + s[1] * r, r * 0.17, r * 0.17);
            SetColor(cr, Palette::kApple);
            cairo_fill(cr);
        }
    }
}

void Pine(cairo_t* cr, double x, double y, double h) {
    GroundShadow(cr, x, y, h * 0.3);
    cairo_rectangle(cr, x - h * 0.06, y - h * 0.2, h * 0.12, h * 0.2);
    SetColor(cr, Palette::kBarkDark);
    cairo_fill(cr);
    for (int tier = 0; tier < 3; ++tier) {
        const double base = y - h * (0.15 + tier * 0.25);
        const double half = h * (0.34 - tier * 0.08);
        cairo_move_to(cr, x - half, base);
        cairo_line_to(cr, x, base - h * 0.42);
        cairo_line_to(cr, x + half, base);
        cairo_close_path(cr);
        FillLitAndOutline(cr, Palette::kPine, x - half, x + half);
    }
}

void House(cairo_t* cr, double x, double y, double w, const Rgb& wall, const Rgb& roof) {
    GroundShadow(cr, x, y, w * 0.6);
    const double h = w * 0.7;
    cairo_rectangle(cr, x - w / 2, y - h, w, h);
    FillLitAndOutline(cr, wall, x - w / 2, x + w / 2);
    Roof(cr, x - w / 2, x + w / 2, y - h, y - h - w * 0.55, roof);
    cairo_rectangle(cr, x - w * 0.12, y - h * 0.55, w * 0.24, h * 0.55);
    SetColor(cr, Palette::kWoodDark);
    cairo_fill(cr);
    cairo_rectangle(cr, x - w * 0.4, y - h * 0.75, w * 0.18, w * 0.18);
    SetColor(cr, Palette::kWaterLight);
    cairo_fill_preserve(cr);
    StrokeOutline(cr, 0.6);
}

void Castle(cairo_t* cr, double x, double y, double s) {
    GroundShadow(cr, x, y, 26 * s);
    const Rgb stone = Palette::kStone;
    // Wall with battlements.
    cairo_move_to(cr, x - 20 * s, y);
    cairo_line_to(cr, x - 20 * s, y - 18 * s);
    for (int i = 0; i < 5; ++i) {
        const double left = x - 20 * s + i * 8 * s;
        cairo_line_to(cr, left + 4 * s, y - 18 * s);
        cairo_line_to(cr, left + 4 * s, y - 21 * s);
        cairo_line_to(cr, left + 8 * s, y - 21 * s);
        cairo_line_to(cr, left + 8 * s, y - 18 * s);
    }
    cairo_line_to(cr, x + 20 * s, y);
    cairo_close_path(cr);
    FillLitAndOutline(cr, stone, x - 20 * s, x + 20 * s);
    // Gate.
    cairo_move_to(cr, x - 5 * s, y);
    cairo_line_to(cr, x - 5 * s, y - 8 * s);
    cairo_arc(cr, x, y - 8 * s, 5 * s, M_PI, 2 * M_PI);
    cairo_line_to(cr, x + 5 * s, y);
    cairo_close_path(cr);
    SetColor(cr, Palette::kWoodDark);
    cairo_fill_preserve(cr);
    StrokeOutline(cr, kLine * 0.8);
    // Towers: two at the ends, a tall keep behind the middle.
    const double towers[][3] = {{-20, 30, 7}, {20, 30, 7}, {0, 40, 8}};
    for (int order : {2, 0, 1}) {
        const double tx = x + towers[order][0] * s;
        const double top = y - towers[order][1] * s;
        const double half = towers[order][2] * s / 2;
        const double bottom = order == 2 ? y - 18 * s : y;
        cairo_rectangle(cr, tx - half, top, half * 2, bottom - top);
        FillLitAndOutline(cr, stone, tx - half, tx + half);
        Roof(cr, tx - half, tx + half, top, top - 10 * s, Palette::kRoofRed);
        cairo_rectangle(cr, tx - 1 * s, top + 5 * s, 2 * s, 3.5 * s);
        SetColor(cr, Palette::kOutline);
        cairo_fill(cr);
        if (order == 2) {
            cairo_move_to(cr, tx, top - 10 * s);
            cairo_line_to(cr, tx, top - 17 * s);
            cairo_line_to(cr, tx + 6 * s, top - 15 * s);
            cairo_line_to(cr, tx, top - 13 * s);
            SetColor(cr, Palette::kFlowerYellow);
            cairo_fill_preserve(cr);
            StrokeOutline(cr, 0.7);
        }
    }
}

void Mountain(cairo_t* cr, double x, double y, double w, double h, bool snow) {
    GroundShadow(cr, x, y, w * 0.5);
    cairo_move_to(cr, x - w / 2, y);
    cairo_line_to(cr, x - w * 0.05, y - h);
    cairo_line_to(cr, x + w * 0.08, y - h * 0.92);
    cairo_line_to(cr, x + w / 2, y);
    cairo_close_path(cr);
    FillLitAndOutline(cr, Palette::kMountain, x - w / 2, x + w / 2);
    // The shaded flank.
    cairo_move_to(cr, x - w * 0.05, y - h);
    cairo_line_to(cr, x + w * 0.08, y - h * 0.92);
    cairo_line_to(cr, x + w / 2, y);
    cairo_line_to(cr, x + w * 0.1, y);
    cairo_close_path(cr);
    SetColor(cr, Palette::kShadow, 0.22);
    cairo_fill(cr);
    if (snow) {
        const double sx = x - w * 0.05;
        const double sy = y - h;
        cairo_move_to(cr, sx, sy);
        cairo_line_to(cr, sx + w * 0.13, sy + h * 0.08);
        cairo_line_to(cr, sx + w * 0.19, sy + h * 0.32);
        cairo_line_to(cr, sx + w * 0.07, sy + h * 0.26);
        cairo_line_to(cr, sx, sy + h * 0.36);
        cairo_line_to(cr, sx - w * 0.08, sy + h * 0.25);
        cairo_line_to(cr, sx - w * 0.17, sy + h * 0.35);
        cairo_close_path(cr);
        SetColor(cr, Palette::kSnow);
        cairo_fill_preserve(cr);
        StrokeOutline(cr, 0.7);
    }
}

void Lake(cairo_t* cr, double cx, double cy, double rx, double ry) {
    Blob(cr, cx, cy, rx + 2.5, ry + 2.5, 0.06, 4, 1.0);
    SetColor(cr, Palette::kPath);
    cairo_fill(cr);
    Blob(cr, cx, cy, rx, ry, 0.06, 4, 1.0);
    cairo_pattern_t* water = cairo_pattern_create_linear(0, cy - ry, 0, cy + ry);
    cairo_pattern_add_color_stop_rgb(water, 0, Palette::kWaterDeep.r, Palette::kWaterDeep.g,
                                     Palette::kWaterDeep.b);
    cairo_pattern_add_color_stop_rgb(water, 1, Palette::kWater.r, Palette::kWater.g,
                                     Palette::kWater.b);
    cairo_set_source(cr, water);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(water);
    StrokeOutline(cr, kLine);
    for (int i = 0; i < 3; ++i) {
        cairo_move_to(cr, cx - rx * 0.5 + i * rx * 0.35, cy - ry * 0.2 + (i % 2) * ry * 0.35);
        cairo_rel_line_to(cr, rx * 0.2, 0);
        SetColor(cr, Palette::kWaterLight, 0.9);
        cairo_set_line_width(cr, 1.2);
        cairo_stroke(cr);
    }
    const double pads[][2] = {{0.55, 0.35}, {-0.6, 0.3}};
    for (const auto& p : pads) {
        const double px = cx + p[0] * rx;
        const double py = cy + p[1] * ry;
        cairo_move_to(cr, px, py);
        cairo_arc(cr, px, py, 3, 0.4, 2 * M_PI - 0.2);
        cairo_close_path(cr);
        SetColor(cr, Palette::kLeaf);
        cairo_fill(cr);
    }
    Ellipse(cr, cx + 0.55 * rx + 1, cy + 0.35 * ry - 1, 1.3, 1.3);
    SetColor(cr, Palette::kFlowerPink);
    cairo_fill(cr);
}

void Windmill(cairo_t* cr, double x, double y, double h) {
    GroundShadow(cr, x, y, h * 0.35);
    cairo_move_to(cr, x - h * 0.22, y);
    cairo_line_to(cr, x - h * 0.13, y - h * 0.7);
    cairo_line_to(cr, x + h * 0.13, y - h * 0.7);
    cairo_line_to(cr, x + h * 0.22, y);
    cairo_close_path(cr);
    FillLitAndOutline(cr, Palette::kWallCream, x - h * 0.22, x + h * 0.22);
    Roof(cr, x - h * 0.15, x + h * 0.15, y - h * 0.7, y - h * 0.88, Palette::kRoofRed);
    const double hubY = y - h * 0.72;
    for (int k = 0; k < 4; ++k) {
        const double a = M_PI / 4 + k * M_PI / 2;
        cairo_save(cr);
        cairo_translate(cr, x, hubY);
        cairo_rotate(cr, a);
        cairo_rectangle(cr, 1, -h * 0.06, h * 0.45, h * 0.12);
        cairo_restore(cr);
        SetColor(cr, Palette::kWoodLight);
        cairo_fill_preserve(cr);
        StrokeOutline(cr, 0.7);
    }
    Ellipse(cr, x, hubY, 1.6, 1.6);
    SetColor(cr, Palette::kOutline);
    cairo_fill(cr);
}

void Fountain(cairo_t* cr, double x, double y, double r) {
    GroundShadow(cr, x, y, r);
    Ellipse(cr, x, y - r * 0.3, r, r * 0.45);
    SetColor(cr, Palette::kStone);
    cairo_fill_preserve(cr);
    StrokeOutline(cr, kLine);
    Ellipse(cr, x, y - r * 0.38, r * 0.75, r * 0.3);
    SetColor(cr, Palette::kWater);
    cairo_fill(cr);
    cairo_move_to(cr, x, y - r * 0.4);
    cairo_curve_to(cr, x - r * 0.1, y - r * 1.2, x - r * 0.5, y - r * 1.1, x - r * 0.6,
                   y - r * 0.5);
    cairo_move_to(cr, x, y - r * 0.4);
    cairo_curve_to(cr, x + r * 0.1, y - r * 1.2, x + r * 0.5, y - r * 1.1, x + r * 0.6,
                   y - r * 0.5);
    SetColor(cr, Palette::kWaterLight);
    cairo_set_line_width(cr, 1.4);
    cairo_stroke(cr);
}

void Flowers(cairo_t* cr, double x, double y, unsigned seed) {
    Random random(seed);
    const Rgb colours[] = {Palette::kFlowerRed, Palette::kFlowerYellow, Palette::kFlowerPink,
                           Palette::kWhite};
    for (int i = 0; i < 4; ++i) {
        const double dy = random.Range(-3, 3);
        const double dx = random.Range(-5, 5);
        Ellipse(cr, x + dx, y + dy, 1.3, 1.3);
        SetColor(cr, colours[random.Below(4)]);
        cairo_fill(cr);
    }
}

void Rock(cairo_t* cr, double x, double y, double r) {
    GroundShadow(cr, x, y, r);
    cairo_move_to(cr, x - r, y);
    cairo_curve_to(cr, x - r, y - r * 0.9, x - r * 0.2, y - r * 1.1, x + r * 0.3, y - r * 0.8);
    cairo_curve_to(cr, x + r, y - r * 0.5, x + r, y - r * 0.2, x + r, y);
    cairo_close_path(cr);
    FillLitAndOutline(cr, Palette::kRock, x - r, x + r);
}

void Compass(cairo_t* cr, double cx, double cy, double r, const char* north) {
    Ellipse(cr, cx + 2, cy + 3, r, r);
    SetColor(cr, Palette::kShadow, 0.3);
    cairo_fill(cr);
    Ellipse(cr, cx, cy, r, r);
    SetColor(cr, Palette::kParchment, 0.9);
    cairo_fill_preserve(cr);
    StrokeOutline(cr, 1.5);
    Ellipse(cr, cx, cy, r * 0.8, r * 0.8);
    SetColor(cr, Palette::kWoodDark, 0.6);
    cairo_set_line_width(cr, 0.8);
    cairo_stroke(cr);
    for (int k = 0; k < 4; ++k) {
        const double a = k * M_PI / 2 - M_PI / 2;
        for (int side : {-1, 1}) {
            cairo_move_to(cr, cx, cy);
            cairo_line_to(cr, cx + r * 0.78 * std::cos(a), cy + r * 0.78 * std::sin(a));
            cairo_line_to(cr, cx + r * 0.2 * std::cos(a + side * M_PI / 4),
                          cy + r * 0.2 * std::sin(a + side * M_PI / 4));
            cairo_close_path(cr);
            const bool north = k == 0;
            SetColor(cr, side < 0 ? (north ? Palette::kApple : Palette::kWood)
                                  : (north ? Palette::kApple.Darker(0.3) : Palette::kWoodDark));
            cairo_fill_preserve(cr);
            StrokeOutline(cr, 0.6);
        }
    }
    TextStyle letter{.size = 11, .fill = Palette::kParchment, .outline = 2, .shadow = false};
    DrawText(cr, north, cx, cy - r - 3, letter);
}

} // namespace Vuro::AssetGen::MapProps
